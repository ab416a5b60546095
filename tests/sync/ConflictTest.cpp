#include <gtest/gtest.h>

#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"
#include "sync/ConflictCopies.h"
#include "sync/EntryKind.h"
#include "sync/Reconciler.h"
#include "sync/TaskKind.h"
#include "tests/support/Entries.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

using test::localEntry;
using test::TempFolder;
using Kind = SyncState::Kind;
using TK = TaskKind;
using EK = EntryKind;

// The laptop sets one field of an item, another computer one (the same or another) on the
// server; conflict names the field both changed as the conflict copy names it, "" when the
// changes merge.
struct Case {
  const char* name;
  Kind kind;
  std::size_t laptopField;
  const char* laptop;
  std::size_t desktopField;
  const char* desktop;
  const char* conflict;
};

const Case kCases[] = {
    {"TaskSubject", Kind::Task, TK::kSubject, "Laptop", TK::kSubject, "Desktop", "subject"},
    {"TaskCategories", Kind::Task, TK::kCategories, "A, B", TK::kCategories, "C", "categories"},
    {"TaskStatus", Kind::Task, TK::kStatus, "3", TK::kStatus, "2", "status"},  // waiting, complete
    {"TaskFieldsMerge", Kind::Task, TK::kSubject, "Laptop", TK::kCategories, "D", ""},
    {"EntrySubject", Kind::Entry, EK::kSubject, "Laptop", EK::kSubject, "Desktop", "subject"},
    {"EntryStart", Kind::Entry, EK::kStart, "1717394460", EK::kStart, "1717390800", "start"},
    {"TrackedTime", Kind::Entry, EK::kSeconds, "4000", EK::kSeconds, "3000", "length"},
    {"EntryCategories", Kind::Entry, EK::kCategories, "X", EK::kCategories, "Y", "categories"},
    {"EntryType", Kind::Entry, EK::kType, "PJ_Task", EK::kType, "Phone call", "type"},
    {"Companies", Kind::Entry, EK::kCompanies, "ACME", EK::kCompanies, "Globex; Initech",
     "companies"},
    {"Description", Kind::Entry, EK::kBody, "mine", EK::kBody, "theirs", "description"},
    {"EntryTask", Kind::Entry, EK::kTaskUid, "laptop-task", EK::kTaskUid, "", "task"},
    {"EntryFieldsMerge", Kind::Entry, EK::kBody, "L", EK::kSeconds, "10", ""},
};

class ConflictTest : public ::testing::TestWithParam<Case> {
 protected:
  ConflictTest() {
    const Task t = store.addTask(Task{0, "", "Write", "Design", TaskStatus::InProgress, 0});
    JournalEntry e = localEntry("Write", DateTime::fromParts(2024, 6, 3, 9), 3600);
    e.taskUid = t.uid;
    uid = GetParam().kind == Kind::Task ? t.uid : store.addEntry(e).uid;
  }
  const ItemKind& kind() const {
    return GetParam().kind == Kind::Task ? static_cast<const ItemKind&>(tasks) : entries;
  }
  ItemKind::Fields fields() { return *kind().local(store, uid); }

  TempFolder folder;
  SqliteJournalStore store{folder.file("store.db")};
  SqliteSyncState state{store};
  const TaskKind tasks;
  const EntryKind entries;
  const Instant now = Instant::fromUnix(1'717'400'000);
  std::string uid;
};

// The item was synchronised; then both computers change it and the server holds the other's
// version. Where both changed the same field the server's value wins and the local version is
// kept as a conflict copy; changes to different fields both survive. Taken back, the copy's
// values are the local ones again.
TEST_P(ConflictTest, TheServerWinsPerFieldAndTheLocalVersionIsKept) {
  const Case& c = GetParam();
  const ItemKind::Fields base = fields();
  const std::string ical = kind().serialise(uid, base, "", now);
  state.putItem({c.kind, uid, uid + ".ics", "\"1\"", ical, ItemKind::digest(base)});
  ItemKind::Fields theirs = base, mine = base;
  theirs[c.desktopField] = c.desktop;
  mine[c.laptopField] = c.laptop;
  kind().store(store, uid, mine);
  ItemKind::Fields merged = mine;
  merged[c.desktopField] = c.desktop;

  SyncResult r;
  Reconciler(store, state, kind(), r, now)
      .adopt({uid + ".ics", "\"2\"", kind().serialise(uid, theirs, ical, now)});
  EXPECT_EQ(fields(), merged);
  const std::vector<SyncState::ConflictCopy> copies = state.conflicts();
  EXPECT_EQ(r.conflicts, static_cast<int>(copies.size()));
  if (*c.conflict == '\0') {
    EXPECT_TRUE(copies.empty());
    return;
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].fields, c.conflict);
  EXPECT_EQ(copies[0].kind, c.kind);
  EXPECT_EQ(kind().parse(copies[0].localIcal).fields, mine);

  ConflictCopies shown(store, std::make_unique<SqliteSyncState>(store));
  const std::vector<ConflictCopies::Copy> listed = shown.list();
  ASSERT_EQ(listed.size(), 1u);
  ASSERT_EQ(listed[0].differences.size(), 1u);
  EXPECT_EQ(listed[0].differences[0].field, c.conflict);
  EXPECT_NE(listed[0].differences[0].mine, listed[0].differences[0].now);
  shown.restore(copies[0].id);
  EXPECT_EQ(shown.count(), 0u);
  EXPECT_EQ(fields(), mine);
}

INSTANTIATE_TEST_SUITE_P(EachField, ConflictTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tw

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
using Edit = void (*)(Task&, JournalEntry&);

struct Case {
  const char* name;
  Edit laptop;
  Edit desktop;
  // The fields both changed, as the conflict copy names them; "" when the changes merge.
  const char* conflict;
  SyncState::Kind kind;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

const Case kCases[] = {
    {"task subject", [](Task& t, JournalEntry&) { t.subject = "Laptop"; },
     [](Task& t, JournalEntry&) { t.subject = "Desktop"; }, "subject", SyncState::Kind::Task},
    {"task categories", [](Task& t, JournalEntry&) { t.categories = "A, B"; },
     [](Task& t, JournalEntry&) { t.categories = "C"; }, "categories", SyncState::Kind::Task},
    {"task status", [](Task& t, JournalEntry&) { t.status = TaskStatus::Waiting; },
     [](Task& t, JournalEntry&) { t.status = TaskStatus::Complete; }, "status",
     SyncState::Kind::Task},
    {"entry subject", [](Task&, JournalEntry& e) { e.subject = "Laptop"; },
     [](Task&, JournalEntry& e) { e.subject = "Desktop"; }, "subject", SyncState::Kind::Entry},
    {"entry start", [](Task&, JournalEntry& e) { e.start = Instant::fromUnix(1'717'394'460); },
     [](Task&, JournalEntry& e) { e.start = Instant::fromUnix(1'717'390'800); }, "start",
     SyncState::Kind::Entry},
    {"tracked time", [](Task&, JournalEntry& e) { e.seconds = 4000; },
     [](Task&, JournalEntry& e) { e.seconds = 3000; }, "length", SyncState::Kind::Entry},
    {"entry categories", [](Task&, JournalEntry& e) { e.categories = "X"; },
     [](Task&, JournalEntry& e) { e.categories = "Y"; }, "categories", SyncState::Kind::Entry},
    {"entry type", [](Task&, JournalEntry& e) { e.type = "PJ_Task"; },
     [](Task&, JournalEntry& e) { e.type = "Phone call"; }, "type", SyncState::Kind::Entry},
    {"companies", [](Task&, JournalEntry& e) { e.companies = "ACME"; },
     [](Task&, JournalEntry& e) { e.companies = "Globex; Initech"; }, "companies",
     SyncState::Kind::Entry},
    {"description", [](Task&, JournalEntry& e) { e.body = "mine"; },
     [](Task&, JournalEntry& e) { e.body = "theirs"; }, "description", SyncState::Kind::Entry},
    {"entry task", [](Task&, JournalEntry& e) { e.taskUid = "laptop-task"; },
     [](Task&, JournalEntry& e) { e.taskUid = ""; }, "task", SyncState::Kind::Entry},
    {"different fields merge", [](Task& t, JournalEntry& e) { t.subject = "Laptop", e.body = "L"; },
     [](Task& t, JournalEntry& e) { t.categories = "D", e.seconds = 10; }, "",
     SyncState::Kind::Entry},
};

ItemKind::Fields fieldsOf(const Task& t) {
  return {t.subject, t.categories, std::to_string(static_cast<int>(t.status))};
}

class ConflictTest : public ::testing::TestWithParam<Case> {
 protected:
  ConflictTest() {
    task = store.addTask(Task{0, "", "Write", "Design", TaskStatus::InProgress, 0});
    JournalEntry e = localEntry("Write", DateTime::fromParts(2024, 6, 3, 9), 3600);
    e.taskUid = task.uid;
    entry = store.addEntry(e);
  }
  const ItemKind& kindOf(SyncState::Kind k) const {
    return k == SyncState::Kind::Task ? static_cast<const ItemKind&>(tasks) : entries;
  }
  // Notes the item as last synchronised; gives the server's version after another computer
  // changed it to theirs.
  DavClient::Resource changedElsewhere(SyncState::Kind k, const std::string& uid,
                                       const ItemKind::Fields& theirs) {
    const ItemKind::Fields base = *kindOf(k).local(store, uid);
    const std::string ical = kindOf(k).serialise(uid, base, "", now);
    state.putItem({k, uid, uid + ".ics", "\"1\"", ical, ItemKind::digest(base)});
    return {uid + ".ics", "\"2\"", kindOf(k).serialise(uid, theirs, ical, now)};
  }

  TempFolder folder;
  SqliteJournalStore store{folder.file("store.db")};
  SqliteSyncState state{store};
  const TaskKind tasks;
  const EntryKind entries;
  const Instant now = Instant::fromUnix(1'717'400'000);
  Task task;
  JournalEntry entry;
};

// The edits set values, so that applying the laptop's and then the other computer's gives
// what the merge must give. Both change an item; the server holds the other's version. Where
// both changed the same field the server's value wins and the local version is kept as a
// conflict copy; changes to different fields both survive. Taken back, the copy's values are
// the local ones again.
TEST_P(ConflictTest, TheServerWinsPerFieldAndTheLocalVersionIsKept) {
  const Case& c = GetParam();
  Task theirTask = task, expectedTask = task;
  JournalEntry theirEntry = entry, expectedEntry = entry;
  c.desktop(theirTask, theirEntry);
  const DavClient::Resource taskServer =
      changedElsewhere(SyncState::Kind::Task, task.uid, fieldsOf(theirTask));
  const DavClient::Resource entryServer =
      changedElsewhere(SyncState::Kind::Entry, entry.uid, EntryKind::fieldsOf(theirEntry));
  c.laptop(expectedTask, expectedEntry);
  store.updateTask(expectedTask);
  store.updateEntry(expectedEntry);
  const ItemKind::Fields mine =
      c.kind == SyncState::Kind::Task ? fieldsOf(expectedTask) : EntryKind::fieldsOf(expectedEntry);
  c.desktop(expectedTask, expectedEntry);

  SyncResult r;
  Reconciler(store, state, tasks, r, now).adopt(taskServer);
  Reconciler(store, state, entries, r, now).adopt(entryServer);
  EXPECT_EQ(*tasks.local(store, task.uid), fieldsOf(expectedTask));
  EXPECT_EQ(*entries.local(store, entry.uid), EntryKind::fieldsOf(expectedEntry));
  const std::vector<SyncState::ConflictCopy> copies = state.conflicts();
  EXPECT_EQ(r.conflicts, static_cast<int>(copies.size()));
  if (*c.conflict == '\0') {
    EXPECT_TRUE(copies.empty());
    return;
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].fields, c.conflict);
  EXPECT_EQ(copies[0].kind, c.kind);
  EXPECT_EQ(kindOf(c.kind).parse(copies[0].localIcal).fields, mine);

  ConflictCopies shown(store, std::make_unique<SqliteSyncState>(store));
  const std::vector<ConflictCopies::Copy> listed = shown.list();
  ASSERT_EQ(listed.size(), 1u);
  ASSERT_EQ(listed[0].differences.size(), 1u);
  EXPECT_EQ(listed[0].differences[0].field, c.conflict);
  EXPECT_NE(listed[0].differences[0].mine, listed[0].differences[0].now);
  shown.restore(copies[0].id);
  EXPECT_EQ(shown.count(), 0u);
  EXPECT_EQ(*kindOf(c.kind).local(store, copies[0].uid), mine);
}

INSTANTIATE_TEST_SUITE_P(EachField, ConflictTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace
}  // namespace tw

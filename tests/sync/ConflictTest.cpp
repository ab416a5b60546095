#include <gtest/gtest.h>

#include "SyncFixture.h"
#include "sync/ConflictCopies.h"
#include "sync/TaskKind.h"

namespace tw {
namespace {

using test::SyncFixture;
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

class ConflictTest : public SyncFixture, public ::testing::WithParamInterface<Case> {
 protected:
  static void edit(JournalStore& store, const std::string& taskUid, const std::string& entryUid,
                   Edit change) {
    Task t = *store.taskByUid(taskUid);
    JournalEntry e = *store.entryByUid(entryUid);
    change(t, e);
    store.updateTask(t);
    store.updateEntry(e);
  }
};

// The edits set values, so that applying the laptop's and then the desktop's gives what the
// merge must give. Both computers change an item; the desktop synchronises first. Where both
// changed the same field the server's value wins and the laptop keeps its version as a conflict
// copy; changes to different fields both survive. Either way the two end up equal.
TEST_P(ConflictTest, TheServerWinsPerFieldAndTheLocalVersionIsKept) {
  const Case& c = GetParam();
  JournalStore& l = laptop->store;
  const Task t = task(l, "Write", TaskStatus::InProgress, "Design");
  const JournalEntry e = entry(l, "Write", DateTime::fromParts(2024, 6, 3, 9), 3600, t.uid);
  sync(*laptop);
  sync(*desktop);
  edit(l, t.uid, e.uid, c.laptop);
  edit(desktop->store, t.uid, e.uid, c.desktop);
  Task expectedTask = *l.taskByUid(t.uid);
  JournalEntry expectedEntry = *l.entryByUid(e.uid);
  c.desktop(expectedTask, expectedEntry);
  const Task laptopTask = *l.taskByUid(t.uid);
  const JournalEntry laptopEntry = *l.entryByUid(e.uid);

  sync(*desktop);
  const SyncResult r = sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(l), contents(desktop->store));
  EXPECT_EQ(EntryKind::fieldsOf(*l.entryByUid(e.uid)), EntryKind::fieldsOf(expectedEntry));
  EXPECT_EQ(l.taskByUid(t.uid)->subject, expectedTask.subject);
  EXPECT_EQ(l.taskByUid(t.uid)->categories, expectedTask.categories);
  EXPECT_EQ(l.taskByUid(t.uid)->status, expectedTask.status);
  const std::vector<SyncState::ConflictCopy> copies = laptop->state.conflicts();
  EXPECT_EQ(r.conflicts, static_cast<int>(copies.size()));
  if (*c.conflict == '\0') {
    EXPECT_TRUE(copies.empty());
    return;
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].fields, c.conflict);
  EXPECT_EQ(copies[0].kind, c.kind);
  const ItemKind::Fields kept = c.kind == SyncState::Kind::Task
                                    ? TaskKind().parse(copies[0].localIcal).fields
                                    : EntryKind().parse(copies[0].localIcal).fields;
  const ItemKind::Fields mine =
      c.kind == SyncState::Kind::Task
          ? ItemKind::Fields{laptopTask.subject, laptopTask.categories,
                             std::to_string(static_cast<int>(laptopTask.status))}
          : EntryKind::fieldsOf(laptopEntry);
  EXPECT_EQ(kept, mine);

  // Taken back, the laptop's values win on both computers.
  ConflictCopies shown(l, std::make_unique<SqliteSyncState>(laptop->store));
  const std::vector<ConflictCopies::Copy> listed = shown.list();
  ASSERT_EQ(listed.size(), 1u);
  ASSERT_EQ(listed[0].differences.size(), 1u);
  EXPECT_EQ(listed[0].differences[0].field, c.conflict);
  EXPECT_NE(listed[0].differences[0].mine, listed[0].differences[0].now);
  shown.restore(copies[0].id);
  EXPECT_EQ(shown.count(), 0u);
  sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(l), contents(desktop->store));
  const ItemKind::Fields restored = c.kind == SyncState::Kind::Task
                                        ? *TaskKind().local(desktop->store, t.uid)
                                        : *EntryKind().local(desktop->store, e.uid);
  EXPECT_EQ(restored, mine);
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

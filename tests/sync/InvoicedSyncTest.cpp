#include <gtest/gtest.h>

#include "SyncFixture.h"
#include "store/sqlite/SqliteBillingStore.h"

namespace tw {
namespace {

using test::SyncFixture;

// The laptop marks the entries of Acme in June invoiced; the desktop, which has not seen that,
// changes one of them and deletes another. The laptop keeps both as they were, the changed
// one's server version as a conflict copy, and sends them again: both computers end with the
// invoiced values.
TEST_F(SyncFixture, ChangesFromTheServerToInvoicedEntriesBecomeConflictCopies) {
  JournalStore& l = laptop->store;
  const Task t = task(l, "Write", TaskStatus::InProgress, "Acme");
  const auto acme = [&](int day, std::int64_t seconds) {
    JournalEntry e = test::localEntry("Write", DateTime::fromParts(2024, 6, day, 9), seconds);
    e.categories = "Acme";
    e.taskUid = t.uid;
    return l.addEntry(e);
  };
  const JournalEntry changed = acme(3, 3600);
  const JournalEntry deleted = acme(4, 1800);
  sync(*laptop);
  sync(*desktop);
  SqliteBillingStore(laptop->store)
      .addInvoiced(
          {0, "acme", DateTime::fromParts(2024, 6, 1), DateTime::fromParts(2024, 6, 30), 0});
  JournalEntry e = *desktop->store.entryByUid(changed.uid);
  e.seconds = 7200;
  desktop->store.updateEntry(e);
  desktop->store.deleteEntry(desktop->store.entryByUid(deleted.uid)->id);
  sync(*desktop);

  const SyncResult r = sync(*laptop);
  EXPECT_EQ(l.entryByUid(changed.uid)->seconds, 3600);
  ASSERT_TRUE(l.entryByUid(deleted.uid));
  ASSERT_EQ(r.problems.size(), 2U);
  EXPECT_TRUE(test::has(r.problems[0].reason, "invoiced for acme, 1\u201330 Jun 2024"))
      << r.problems[0].reason;
  const std::vector<SyncState::ConflictCopy> copies = laptop->state.conflicts();
  ASSERT_EQ(copies.size(), 1U);
  EXPECT_EQ(copies[0].fields, "length");
  sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(l), contents(desktop->store));
  EXPECT_EQ(desktop->store.entryByUid(changed.uid)->seconds, 3600);
}

}  // namespace
}  // namespace tw

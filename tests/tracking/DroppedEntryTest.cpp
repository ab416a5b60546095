// Which journal entry a dropped text names, found on a big journal by reading only the days the
// text names.
#include "tracking/DroppedEntry.h"

#include <gtest/gtest.h>

#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

constexpr int kEntries = 100000;
constexpr std::int64_t kHour = 3600;

// The real store, counting the entries every read hands out.
class CountingStore : public SqliteJournalStore {
 public:
  using SqliteJournalStore::SqliteJournalStore;
  std::int64_t handedOut = 0;

  void readDays(std::optional<DateTime> first, std::optional<DateTime> last,
                const BatchSink& sink) override {
    SqliteJournalStore::readDays(first, last, [&](EntryBatch batch) {
      handedOut += static_cast<std::int64_t>(batch.size());
      sink(batch);
    });
  }
  void visitAll(const EntryVisitor& visit) override {
    SqliteJournalStore::visitAll(counted(visit));
  }
  void visitNewestFirst(const EntryVisitor& visit) override {
    SqliteJournalStore::visitNewestFirst(counted(visit));
  }
  void visitBySubject(std::string_view subject, const EntryVisitor& visit) override {
    SqliteJournalStore::visitBySubject(subject, counted(visit));
  }

 private:
  EntryVisitor counted(const EntryVisitor& visit) {
    return [this, &visit](const JournalEntry& e) {
      ++handedOut;
      return visit(e);
    };
  }
};

class DroppedEntryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new test::TempFolder;
    CountingStore store(folder->file("big.db"));
    for (const char* subject : {"Billing", "Page layout"})
      store.addTask(Task{0, "", subject, "", TaskStatus::NotStarted, 0});
    // An entry every hour from 1/1/2020 0:00 UTC, recorded in UTC; then entries recorded
    // far from UTC, whose local day is not their day in UTC.
    store.transact([&] {
      for (int i = 0; i < kEntries; ++i)
        store.addEntry(entry(i % 2 ? "Billing" : "Page layout", hour(i), 0));
      store.addEntry(entry("Billing", hour(981), 13 * kHour));
      store.addEntry(entry("Billing", hour(1015), -11 * kHour));
    });
  }
  static void TearDownTestSuite() { delete folder; }

  static Instant hour(int i) {
    return Instant::fromLocal(DateTime::fromParts(2020, 1, 1), 0).plus(i * kHour);
  }
  static JournalEntry entry(const char* subject, Instant start, std::int32_t offset) {
    JournalEntry e;
    e.subject = subject;
    e.start = start;
    e.utcOffset = offset;
    e.seconds = 60;
    return e;
  }

  static test::TempFolder* folder;
};

test::TempFolder* DroppedEntryTest::folder = nullptr;

// Hour 1000 of 2020 is 2/11/2020 4:00 PM in UTC; hour 1001 (Billing) is 5:00 PM.
TEST_F(DroppedEntryTest, TheEntryTheTextNamesIsFoundReadingOnlyItsDays) {
  const struct {
    const char* text;
    const char* subject;
    std::int32_t offset;  // of the entry expected
  } cases[] = {
      {"Subject: Billing, Start: 2/11/2020 5:00 PM", "Billing", 0},
      {"Page layout 2/11/2020 4:00 PM", "Page layout", 0},
      {"Billing 2/11/2020 2:00 PM", nullptr, 0},     // that hour is Page layout's
      {"Billing 2/11/2020 5:00:07 PM", nullptr, 0},  // seconds must match
      // Recorded 13 hours east of UTC, 10:00 AM there is the day before in UTC; recorded 11
      // hours west, 8:00 PM is the day after.
      {"Billing 2/11/2020 10:00 AM and again", "Billing", 13 * kHour},
      {"Billing 2/11/2020 8:00 PM", "Billing", -11 * kHour},
      // Dates that are none, or none of the journal, read nothing much.
      {"Billing 2/30/2020 5:00 PM, 13/1/2020, 1/1/20201, 11/2/20", nullptr, 0},
      {"Billing 1/1/1999 5:00 PM", nullptr, 0},
      {"Billing", nullptr, 0},
      // Two days named: the one with a match counts.
      {"Billing 1/1/1999 5:00 PM, Billing 2/11/2020 5:00 PM", "Billing", 0},
  };
  CountingStore store(folder->file("big.db"));
  const TaskList tasks(store.tasks());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    store.handedOut = 0;
    const std::optional<JournalEntry> found = DroppedEntry::find(store, tasks, c.text);
    ASSERT_EQ(found.has_value(), c.subject != nullptr);
    if (found) {
      EXPECT_EQ(found->subject, c.subject);
      EXPECT_EQ(found->utcOffset, c.offset);
    }
    EXPECT_LT(store.handedOut, 4 * 72) << "the drop read far more than the days it names";
  }
}

}  // namespace
}  // namespace tw

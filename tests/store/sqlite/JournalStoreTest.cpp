#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "StoreFixture.h"
#include "store/StoreError.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw {
namespace {

using Subjects = std::vector<std::string>;

class JournalStoreTest : public test::StoreFixture {
 protected:
  std::unique_ptr<SqliteJournalStore> store = open();
};

TEST_F(JournalStoreTest, EntriesKeepEveryFieldAcrossReopeningAndGetUids) {
  JournalEntry e = entry("Page layout", day(4), 5699);
  e.categories = "Design, Admin";
  e.companies = "ACME; Corp";
  e.body = "line one\nline two";
  e.taskUid = "t-1";
  const JournalEntry added = store->addEntry(e);
  EXPECT_NE(store->addEntry(e).uid, added.uid);
  store = open();
  const std::optional<JournalEntry> back = store->entryByUid(added.uid);
  ASSERT_TRUE(back);
  EXPECT_EQ(std::tie(back->id, back->subject, back->categories, back->type, back->companies,
                     back->body, back->taskUid, back->utcOffset, back->seconds),
            std::tie(added.id, e.subject, e.categories, e.type, e.companies, e.body, e.taskUid,
                     e.utcOffset, e.seconds));
  EXPECT_EQ(back->start, e.start);
  EXPECT_EQ(back->modified, clock.now().unixSeconds() * 1000);
}

TEST_F(JournalStoreTest, ChangesAndDeletionsOfEntriesAndTasks) {
  JournalEntry e = store->addEntry(entry("A", day(4)));
  e.subject = "B";
  store->updateEntry(e);
  EXPECT_EQ(store->entry(e.id)->subject, "B");
  const Task t = store->addTask(Task{0, "", "Layout", "", TaskStatus::NotStarted, 0});
  e.taskUid = t.uid;
  store->updateEntry(e);
  EXPECT_EQ(store->entriesOfTask(t.id), 1);
  EXPECT_TRUE(fails([&] { store->deleteTask(t.id); }, "1 journal entries refer to it"));
  store->deleteEntry(e.id);
  store->deleteTask(t.id);
  EXPECT_FALSE(store->entry(e.id));
  EXPECT_TRUE(store->tasks().empty());
  // Gone rows cannot be changed, and deletions leave tombstones for synchronisation.
  EXPECT_TRUE(fails([&] { store->updateEntry(e); }, "no longer in the store"));
  EXPECT_TRUE(fails([&] { store->updateTask(t); }, "no longer in the store"));
  test::RawDatabase raw(path);
  EXPECT_EQ(raw.text("SELECT group_concat(kind) FROM (SELECT kind FROM tombstones ORDER BY kind)"),
            "entry,task");
}

// The days' entries come day by day in start order (equal starts in the order stored), across
// many batches, and a sink that fails stops the read cleanly.
TEST_F(JournalStoreTest, DaysAreReadInStartOrder) {
  store->transact([&] {
    store->addEntry(entry("late", day(6)));
    store->addEntry(entry("first of two", day(5)));
    store->addEntry(entry("second of two", day(5)));
    store->addEntry(entry("early", day(4)));
    for (int i = 0; i < 10000; ++i) store->addEntry(entry("bulk", day(10, 0).addSeconds(i)));
  });
  EXPECT_EQ(subjectsOfDays(*store, day(4, 0), day(5, 23)),
            (Subjects{"early", "first of two", "second of two"}));
  EXPECT_EQ(subjectsOfDays(*store, day(5), day(4)), Subjects{});
  EXPECT_EQ(subjectsOfDays(*store, {}, day(4)), Subjects{"early"});
  EXPECT_EQ(subjectsOfDays(*store, {}, {}).size(), 10004u);
  int batches = 0;
  EXPECT_THROW(store->readDays({}, {},
                               [&](JournalStore::EntryBatch) {
                                 if (++batches == 2) throw std::runtime_error("enough");
                               }),
               std::runtime_error);
  EXPECT_EQ(batches, 2);
  EXPECT_EQ(store->entry(1)->subject, "late");  // the connection is usable again
}

// An entry belongs to the day of its start on its own wall clock, wherever it was recorded and
// whatever this machine's zone: at -10 h and +13 h around midnight, on both sides of the day.
// A start outside the dates there are belongs to no day asked for.
TEST_F(JournalStoreTest, EntriesBelongToTheDayOfTheirOwnWallClock) {
  const test::ScopedTimeZone here("America/Los_Angeles");
  const auto at = [](int d, int h, int m, int s = 0) {
    return DateTime::fromParts(2024, 3, d, h, m, s);
  };
  const struct {
    const char* subject;
    DateTime localStart;
    int offsetHours;
  } rows[] = {
      {"10th, last second, -10 h", at(10, 23, 59, 59), -10},
      {"11th, first second, +13 h", at(11, 0, 0), 13},
      {"11th, after midnight, +13 h", at(11, 0, 30), 13},
      {"11th, before midnight, -10 h", at(11, 23, 30), -10},
      {"11th, noon here", at(11, 12, 0), -7},
      {"11th, last second, +13 h", at(11, 23, 59, 59), 13},
      {"12th, first second, +13 h", at(12, 0, 0), 13},
      {"12th, after midnight, -10 h", at(12, 0, 30), -10},
  };
  for (const auto& r : rows) store->addEntry(entryAt(r.subject, r.localStart, r.offsetHours));
  JournalEntry yearZero = entry("year 0", day(4));
  yearZero.start = Instant::fromUnix(-62'167'219'200);
  store->addEntry(yearZero);
  const DateTime newYearsEve1969 = DateTime::fromParts(1969, 12, 31);
  store->addEntry(entryAt("1969", newYearsEve1969.addSeconds(23 * 3600), 0));
  const Subjects eleventh = {"11th, first second, +13 h", "11th, after midnight, +13 h",
                             "11th, last second, +13 h", "11th, noon here",
                             "11th, before midnight, -10 h"};
  EXPECT_EQ(subjectsOfDays(*store, at(11, 0, 0), at(11, 0, 0)), eleventh);
  Subjects three = eleventh;
  three.insert(three.begin(), "10th, last second, -10 h");
  three.insert(three.end(), {"12th, first second, +13 h", "12th, after midnight, -10 h"});
  EXPECT_EQ(subjectsOfDays(*store, at(10, 0, 0), at(12, 0, 0)), three);
  EXPECT_EQ(subjectsOfDays(*store, {}, at(10, 0, 0)),
            (Subjects{"year 0", "1969", "10th, last second, -10 h"}));
  EXPECT_EQ(subjectsOfDays(*store, newYearsEve1969, newYearsEve1969), Subjects{"1969"});
  EXPECT_EQ(subjectsOfDays(*store, at(12, 0, 0), {}),
            (Subjects{"12th, first second, +13 h", "12th, after midnight, -10 h"}));
}

// The marker written last counts, whatever its start; a type that differs in letter case is
// no marker.
TEST_F(JournalStoreTest, LastMarkerWrittenAndWalks) {
  EXPECT_FALSE(store->lastMarker());
  store->addEntry(entry("Start Work", day(4), 0, "TWEvent"));
  store->addEntry(entry("Stop Work", day(5), 0, "TWEvent"));
  store->addEntry(entry("Start Work", day(5), 0, "TWEvent"));  // same start, stored later
  store->addEntry(entry("Task B", day(5, 10)));
  store->addEntry(entry("Task A", day(3)));
  EXPECT_EQ(store->lastMarker()->id, 3);
  store->addEntry(entry("Stop Work", day(2), 0, "TWEvent"));  // placed earlier, written last
  store->addEntry(entry("Start Work", day(6), 0, "twevent"));
  EXPECT_EQ(store->lastMarker()->id, 6);
  store->deleteEntry(6);
  store->deleteEntry(7);
  Subjects newest;
  store->visitNewestFirst([&](const JournalEntry& e) {
    newest.push_back(e.subject);
    return newest.size() < 3;
  });
  EXPECT_EQ(newest, (Subjects{"Task B", "Start Work", "Stop Work"}));
  std::vector<std::int64_t> ids;
  store->visitBySubject("Start Work", [&](const JournalEntry& e) {
    ids.push_back(e.id);
    return true;
  });
  EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 3}));
}

TEST_F(JournalStoreTest, ImportingAnEntryAgainUpdatesItInsteadOfAddingACopy) {
  JournalEntry e = entry("Imported", day(4), 600);
  e.uid = "3f2c3a8e-0000-4000-8000-000000000001";
  EXPECT_TRUE(store->importEntry(e));
  e.seconds = 1200;
  EXPECT_FALSE(store->importEntry(e));
  EXPECT_TRUE(store->importEntry(entry("Without uid", day(4))));
  EXPECT_EQ(subjectsOfDays(*store, {}, {}), (Subjects{"Imported", "Without uid"}));
  EXPECT_EQ(store->entryByUid(e.uid)->seconds, 1200);
}

TEST_F(JournalStoreTest, ATransactionStoresAllOrNothing) {
  EXPECT_THROW(store->transact([&] {
    store->addEntry(entry("kept?", day(4)));
    store->transact([&] { store->addEntry(entry("inner", day(4))); });
    throw std::runtime_error("fails");
  }),
               std::runtime_error);
  // An inner failure caught inside dooms the whole transaction.
  EXPECT_THROW(store->transact([&] {
    store->addEntry(entry("kept?", day(4)));
    EXPECT_NE(failureOf([&] { store->deleteEntry(999); }), "");
  }),
               StoreError);
  EXPECT_TRUE(subjectsOfDays(*store, {}, {}).empty());
}

// Every change of the timer moves its generation on; a save with an old generation writes
// nothing, so a late periodic save cannot extend or bring back a stopped entry.
TEST_F(JournalStoreTest, TimerGenerationsGuardTheSaves) {
  const JournalEntry e = store->addEntry(entry("Timed", day(4)));
  RunningTimer t;
  t.entryId = e.id;
  t.started = e.start;
  t.ownerPid = 42;
  const std::int64_t g = store->setTimer(t);
  EXPECT_EQ(store->timer().generation, g);
  const std::optional<std::int64_t> saved = store->saveTimedEntry(g, 60, e.start.plus(60), -1);
  ASSERT_TRUE(saved);
  EXPECT_EQ(store->timer().generation, *saved);
  EXPECT_TRUE(store->saveTimedEntry(*saved, 120, e.start.plus(120), -1));
  EXPECT_FALSE(store->saveTimedEntry(g, 180, e.start.plus(180), 0));
  EXPECT_EQ(store->entry(e.id)->seconds, 120);
  EXPECT_TRUE(fails([&] { store->deleteEntry(e.id); }, "is being timed"));
  const std::int64_t stopped = store->setTimer(RunningTimer{});
  EXPECT_FALSE(store->saveTimedEntry(stopped, 300, e.start.plus(300), -1));
  EXPECT_EQ(store->entry(e.id)->seconds, 120);
  EXPECT_EQ(store->timer().savedAt, Instant());
}

TEST_F(JournalStoreTest, ChangeCountMovesOnlyForOtherConnections) {
  const std::int64_t before = store->changeCount();
  store->addEntry(entry("mine", day(4)));
  EXPECT_EQ(store->changeCount(), before);
  open()->addEntry(entry("theirs", day(4)));
  EXPECT_NE(store->changeCount(), before);
}

}  // namespace
}  // namespace tw

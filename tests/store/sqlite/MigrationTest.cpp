#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "StoreFixture.h"
#include "core/DateText.h"
#include "store/sqlite/Schema.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw {
namespace {

// Version 1 stores kept local wall-clock starts without an offset, and whole minutes; they are
// brought forward in the machine's time zone.
class MigrationTest : public test::StoreFixture {
 protected:
  void SetUp() override { std::filesystem::copy_file(TW_VERSION1_FIXTURE, path); }

  const test::ScopedTimeZone berlin_{"Europe/Berlin"};
};

// The fixture was written by the version 1 code: five tasks, a winter day and a summer day of
// work with markers, a task entry attached to each task entry, and an entry of 1999.
TEST_F(MigrationTest, Version1StoresComeForwardWithEveryEntryAndTask) {
  auto store = open();
  const std::vector<Task> tasks = store->tasks();
  ASSERT_EQ(tasks.size(), 5u);
  EXPECT_EQ(tasks[1].subject, "Billing, Q3; \"final\"");
  EXPECT_EQ(tasks[2].status, TaskStatus::Complete);
  std::set<std::string> uids;
  for (const Task& t : tasks) uids.insert(t.uid);
  const struct {
    const char* subject;
    const char* localStart;
    std::int32_t offset;
    std::int64_t seconds;
    int task;  // index into tasks, -1 for none
  } expected[] = {
      {"Start Work", "2024-03-04T08:59:00", 3600, 0, -1},
      {"Page layout", "2024-03-04T09:00:00", 3600, 95 * 60, 0},
      {"Billing, Q3; \"final\"", "2024-03-04T10:35:00", 3600, 30 * 60, 1},
      {"Stop Work", "2024-03-04T11:06:00", 3600, 0, -1},
      {"Start Work", "2024-07-01T23:29:15", 7200, 0, -1},
      {"Page layout", "2024-07-01T23:30:15", 7200, 45 * 60, 0},
      {"Imported entry", "1999-12-31T23:59:59", 3600, 60, -1},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& x = expected[i];
    const std::optional<JournalEntry> e = store->entry(static_cast<std::int64_t>(i + 1));
    ASSERT_TRUE(e) << i;
    EXPECT_EQ(e->subject, x.subject);
    EXPECT_EQ(DateText::iso(e->localStart()), x.localStart) << x.subject;
    EXPECT_EQ(e->utcOffset, x.offset) << x.subject;
    EXPECT_EQ(e->seconds, x.seconds) << x.subject;
    EXPECT_EQ(e->taskUid, x.task < 0 ? "" : tasks[static_cast<std::size_t>(x.task)].uid);
    uids.insert(e->uid);
  }
  EXPECT_EQ(uids.size(), 12u);
  EXPECT_EQ(store->entry(3)->companies, "ACME; Corp, Ltd");
  EXPECT_EQ(store->entry(3)->body, "line one\nline two");
  EXPECT_FALSE(store->timer().running());
  EXPECT_EQ(store->check(), "ok");
  EXPECT_EQ(test::RawDatabase(path).text("PRAGMA user_version"), std::to_string(Schema::kVersion));
}

// The hour the clocks go back happens twice: a version 1 entry there is taken at the first.
TEST_F(MigrationTest, TheRepeatedHourIsReadAsTheFirstAndTheSkippedHourKeepsItsReading) {
  {
    test::RawDatabase raw(path);
    raw.exec("UPDATE journal SET start = 3939157800 WHERE id = 7");  // 10/27/2024 2:30:00 AM
    raw.exec("UPDATE journal SET start = 3921013800 WHERE id = 6");  // 3/31/2024 2:30:00 AM
  }
  auto store = open();
  const JournalEntry repeated = *store->entry(7);
  EXPECT_EQ(repeated.utcOffset, 7200);
  EXPECT_EQ(repeated.start.unixSeconds(), 1729989000);
  const JournalEntry skipped = *store->entry(6);
  EXPECT_EQ(DateText::iso(skipped.localStart()), "2024-03-31T02:30:00");
}

TEST_F(MigrationTest, AVersion1StoreThatCannotBeWrittenIsLeftAsItIs) {
  const std::string before = test::readBytes(path);
  EXPECT_TRUE(test::has(asReader([&] { open(Database::Mode::ReadOnly); }), "older version"));
  EXPECT_EQ(test::readBytes(path), before);
}

// Version 3 stores index the entries of a type by their start: on the first open for writing
// the index follows the order of writing, and a store that cannot be written is read as it is.
TEST_F(MigrationTest, Version3StoresGainTheIndexOfWritingOrderAndAreReadWithout) {
  open()->addEntry(entry("Start Work", day(4), 0, "TWEvent"));
  test::RawDatabase(path).exec(
      "DROP INDEX journal_by_type; CREATE INDEX journal_by_type ON journal(type, start, id);"
      " DROP TABLE sync_holds; ALTER TABLE sync_collections DROP COLUMN report_refused;"
      " PRAGMA user_version = 3;");
  EXPECT_EQ(asReader([&] {
              test::require(
                  open(Database::Mode::ReadOnly)->lastMarker()->start == entry("", day(4)).start,
                  "not read");
            }),
            "");
  EXPECT_EQ(open()->lastMarker()->subject, "Start Work");
  EXPECT_EQ(test::RawDatabase(path).text("PRAGMA user_version"), std::to_string(Schema::kVersion));
  EXPECT_EQ(test::RawDatabase(path).text(
                "SELECT group_concat(name) FROM pragma_index_info('journal_by_type')"),
            "type,id");
}

// Version 6 stores lack the local days: on the first open for writing each entry gains its
// day and the index of days; a store that cannot be written reads the same days without them.
TEST_F(MigrationTest, Version6StoresGainTheLocalDaysAndAreReadWithout) {
  open()->addEntry(entryAt("11th, +13 h", DateTime::fromParts(2024, 3, 11, 0, 30), 13));
  open()->addEntry(entryAt("11th, -10 h", DateTime::fromParts(2024, 3, 11, 23, 30), -10));
  open()->addEntry(entryAt("12th, -10 h", DateTime::fromParts(2024, 3, 12, 0, 30), -10));
  test::RawDatabase(path).exec(
      "DROP INDEX journal_by_local_day; ALTER TABLE journal DROP COLUMN local_day;"
      " PRAGMA user_version = 6;");
  const DateTime eleventh = DateTime::fromParts(2024, 3, 11);
  const std::vector<std::string> expected = {"11th, +13 h", "11th, -10 h"};
  EXPECT_EQ(asReader([&] {
              test::require(
                  subjectsOfDays(*open(Database::Mode::ReadOnly), eleventh, eleventh) == expected,
                  "not read");
            }),
            "");
  EXPECT_EQ(subjectsOfDays(*open(), eleventh, eleventh), expected);
  test::RawDatabase raw(path);
  EXPECT_EQ(raw.text("PRAGMA user_version"), std::to_string(Schema::kVersion));
  EXPECT_EQ(raw.text("SELECT group_concat(name) FROM pragma_index_info('journal_by_local_day')"),
            "local_day,start,id");
  // The days' entries come in order from the index, without a sort.
  EXPECT_EQ(raw.text("EXPLAIN QUERY PLAN SELECT subject FROM journal"
                     " WHERE local_day BETWEEN 1 AND 2 ORDER BY local_day, start, id",
                     3),
            "SEARCH journal USING INDEX journal_by_local_day (local_day>? AND local_day<?)");
}

}  // namespace
}  // namespace tw

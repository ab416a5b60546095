// The rules of an import, against a real store: all or nothing, what a second import does with
// entries changed in the source or here, the running timer, the open period of work, tasks.
#include <gtest/gtest.h>

#include "core/Markers.h"
#include "import/ImportError.h"
#include "import/Importer.h"
#include "store/sqlite/SqliteImportLedger.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/Entries.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"
#include "tracking/WorkMarkers.h"

namespace tw::test {
namespace {

constexpr std::int64_t kDay = 86400;
const Instant kNow = Instant::fromUnix(1'711'620'000);  // 2024-03-28 10:00 UTC

ForeignEntry work(const std::string& identity, const std::string& subject, Instant start,
                  std::int64_t seconds) {
  ForeignEntry e;
  e.identity = identity;
  e.subject = subject;
  e.start = start;
  e.seconds = seconds;
  e.categories = {"Acme", "print"};
  e.where = "item " + identity;
  return e;
}

ForeignEntry marker(ForeignEntry::Kind kind, const std::string& identity, Instant at) {
  ForeignEntry m;
  m.kind = kind;
  m.identity = identity;
  m.start = at;
  m.where = "marker " + identity;
  return m;
}

class ImporterTest : public ::testing::Test {
 protected:
  ImportSummary import(std::vector<ForeignEntry> entries, bool dryRun = false) {
    ForeignJournal journal;
    journal.source = "test";
    journal.entries = std::move(entries);
    journal.taskStatus = statuses;
    Importer::Options options;
    options.now = now;
    options.dryRun = dryRun;
    return Importer(&store, &ledger, options).run(std::move(journal));
  }
  std::vector<JournalEntry> entries() { return allEntries(store); }
  std::optional<JournalEntry> bySubject(const std::string& subject) {
    for (const JournalEntry& e : entries())
      if (e.subject == subject) return e;
    return std::nullopt;
  }

  TempFolder folder;
  SqliteJournalStore store{folder.file("store.db")};
  SqliteImportLedger ledger{store};
  Instant now = kNow;
  std::map<std::string, TaskStatus> statuses;
};

TEST_F(ImporterTest, AnEntryThatMayNotBeStoredFailsTheWholeImport) {
  std::vector<ForeignEntry> items = {work("1", "Layout", kNow.plus(-7200), 3600),
                                     work("2", "", kNow.plus(-3600), 60)};
  EXPECT_EQ(failureOf<ImportError>([&] { import(items); }),
            "item 2: the subject must not be empty");
  EXPECT_TRUE(entries().empty());
  EXPECT_TRUE(store.tasks().empty());
  EXPECT_TRUE(ledger.records("test").empty());
}

TEST_F(ImporterTest, ASecondImportKeepsWhatChangedHereAndTakesWhatChangedInTheSource) {
  import({work("a", "Layout", kNow.plus(-9000), 600), work("b", "Proofs", kNow.plus(-8000), 600),
          work("c", "Admin", kNow.plus(-7000), 600), work("d", "Deploy", kNow.plus(-6000), 600)});
  JournalEntry edited = *bySubject("Proofs");
  edited.body = "changed here";
  store.updateEntry(edited);
  store.deleteEntry(bySubject("Admin")->id);

  // Every item changed in the source: one more minute each, and a new one.
  const ImportSummary s = import(
      {work("a", "Layout", kNow.plus(-9000), 660), work("b", "Proofs", kNow.plus(-8000), 660),
       work("c", "Admin", kNow.plus(-7000), 660), work("d", "Deploy", kNow.plus(-6000), 600),
       work("e", "Review", kNow.plus(-5000), 600)});
  EXPECT_EQ((std::vector<long>{s.added, s.updated, s.unchanged, s.keptChanged, s.keptDeleted}),
            (std::vector<long>{1, 1, 1, 1, 1}));
  EXPECT_EQ(bySubject("Layout")->seconds, 660);
  EXPECT_EQ(bySubject("Proofs")->seconds, 600);
  EXPECT_EQ(bySubject("Proofs")->body, "changed here");
  EXPECT_FALSE(bySubject("Admin"));
  EXPECT_EQ(entries().size(), 4u);
}

TEST_F(ImporterTest, RepeatedIdentitiesAreToldApartByTheirOrder) {
  const std::vector<ForeignEntry> items = {work("same", "Layout", kNow.plus(-900), 60),
                                           work("same", "Proofs", kNow.plus(-900), 60)};
  EXPECT_EQ(import(items).added, 2);
  EXPECT_EQ(import(items).unchanged, 2);
}

TEST_F(ImporterTest, TheIntervalBeingTimedBecomesTheTimerOnlyWhenNoneRuns) {
  ForeignEntry running = work("r", "Writing", kNow.plus(-1800), 0);
  running.running = true;
  const ImportSummary first = import({running});
  const RunningTimer t = store.timer();
  ASSERT_TRUE(t.running());
  EXPECT_TRUE(t.detached());
  EXPECT_EQ(store.entry(t.entryId)->subject, "Writing");
  EXPECT_EQ(t.secondsAt(kNow.plus(60)), 1860);
  EXPECT_EQ(first.notes.size(), 1u);

  ForeignEntry other = work("o", "Other", kNow.plus(-600), 0);
  other.running = true;
  const ImportSummary second = import({running, other});
  EXPECT_EQ(second.added, 0);
  EXPECT_EQ(second.unchanged, 1);
  ASSERT_EQ(second.notes.size(), 1u);
  EXPECT_TRUE(has(second.notes[0], "(Other) is not imported"));
  EXPECT_EQ(store.timer().entryId, t.entryId);
}

// Imported days keep their markers, and the period of work open here stays open.
TEST_F(ImporterTest, ImportedDaysDoNotCloseThePeriodOfWorkOpenHere) {
  WorkMarkers markers(store);
  for (const std::int64_t day : {30, 20}) {
    const std::string id = std::to_string(day);
    const Instant start = kNow.plus(-day * kDay);
    EXPECT_EQ(import({marker(ForeignEntry::Kind::StartWork, "start" + id, start),
                      work("w" + id, "Layout", start, 3600),
                      marker(ForeignEntry::Kind::StopWork, "stop" + id, start.plus(3600))})
                  .markers,
              2);
    EXPECT_EQ(markers.open(), day == 20);
    if (day == 30) markers.openAt(kNow.plus(-60));
  }
  EXPECT_EQ(markers.openedBy()->start, kNow.plus(-60));
}

TEST_F(ImporterTest, TasksAreMadeOpenWhenRecentClosedWhenOldOrDoneInTheSource) {
  store.addTask(Task{0, "", "Layout", "Mine", TaskStatus::InProgress, 0});
  statuses["Proofs"] = TaskStatus::Complete;
  import({work("1", "Layout", kNow.plus(-3600), 60), work("2", "Recent", kNow.plus(-29 * kDay), 60),
          work("3", "Old", kNow.plus(-31 * kDay), 60), work("4", "Old", kNow.plus(-40 * kDay), 60),
          work("5", "Proofs", kNow.plus(-60), 60)});
  std::map<std::string, Task> tasks;
  for (const Task& t : store.tasks()) tasks[t.subject] = t;
  ASSERT_EQ(tasks.size(), 4u);
  EXPECT_EQ(tasks["Layout"].categories, "Mine");
  EXPECT_EQ(tasks["Recent"].status, TaskStatus::NotStarted);
  EXPECT_EQ(tasks["Recent"].categories, "Acme, print");
  EXPECT_EQ(tasks["Old"].status, TaskStatus::Complete);
  EXPECT_EQ(tasks["Proofs"].status, TaskStatus::Complete);
  for (const JournalEntry& e : entries()) EXPECT_EQ(e.taskUid, tasks[e.subject].uid);
}

TEST_F(ImporterTest, ADryRunCountsWithoutChangingAnything) {
  ForeignEntry running = work("r", "Writing", kNow.plus(-1800), 0);
  running.running = true;
  const ImportSummary s = import({work("1", "Layout", kNow.plus(-7200), 3600),
                                  work("2", "Layout", kNow.plus(-3600), 1800), running},
                                 true);
  EXPECT_EQ(s.added, 3);
  EXPECT_EQ(s.tasksMade, 2);
  EXPECT_EQ(s.perTask.at("Layout").seconds, 5400);
  EXPECT_EQ(s.perCategory.at("print").entries, 3);
  EXPECT_TRUE(entries().empty());
  EXPECT_TRUE(store.tasks().empty());
  EXPECT_FALSE(store.timer().running());
}

}  // namespace
}  // namespace tw::test

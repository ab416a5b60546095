#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

using LastTest = MainWindowFixture;

TEST_F(LastTest, DoesNothingWhenNoJournalItemNamesAListedTask) {
  addTask("Alpha");
  addTask("Done", "", olTaskComplete);
  frmMain& w = load();
  w.btnLast_Click();  // empty journal
  addJournal("Lunch", "Phone call", monday9().addDays(-1));
  addJournal("Done", "Task", monday9().addDays(-1));
  w.btnLast_Click();
  EXPECT_FALSE(w.tracking);
  EXPECT_EQ(journal().size(), 2u);
  EXPECT_TRUE(fake.messages.messages.empty());
}

// The most recent item naming a listed task decides; items of tasks no longer listed, and
// items that name no task, are passed over.
TEST_F(LastTest, ResumesTheMostRecentListedTask) {
  addTask("Alpha", "A");
  addTask("Beta", "B");
  addTask("Done", "", olTaskComplete);
  addJournal("Alpha", "Task", monday9().addDays(-3));
  addJournal("beta", "Task", monday9().addDays(-2));
  addJournal("Alpha", "Task", monday9().addDays(-4));
  addJournal("Done", "Task", monday9().addDays(-1));
  addJournal("Stop Work", "TWEvent", monday9().addMinutes(-90));
  frmMain& w = load();
  w.btnLast_Click();
  EXPECT_EQ(w.lstTasks->currentText(), "Beta");
  EXPECT_EQ(w.selectedTask, "Beta");
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->Subject(), "Beta");
  EXPECT_EQ(w.currentEntry->Categories(), "B");
  const auto items = journal();
  ASSERT_EQ(items.size(), 7u);
  EXPECT_EQ(items[5]->Subject(), "Start Work");  // the newest marker was a stop
  EXPECT_EQ(items[6]->id(), w.currentEntry->id());
  expectButtonsFor(true);
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(LastTest, WhileTrackingSwitchesAndKeepsTheOldMinutes) {
  addTask("Alpha");
  addTask("Beta");
  addJournal("Beta", "Task", monday9().addDays(-1));
  frmMain& w = startOn("Alpha");
  const auto alpha = w.currentEntry;
  clock.advance(9 * 60);
  w.btnLast_Click();  // the newest item is now Alpha's own entry
  EXPECT_FALSE(alpha->timerRunning());
  EXPECT_EQ(stored(alpha->id())->Duration(), 9);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_NE(w.currentEntry->id(), alpha->id());
  EXPECT_EQ(w.currentEntry->Subject(), "Alpha");
  EXPECT_TRUE(w.currentEntry->timerRunning());
}

}  // namespace
}  // namespace tw::testing

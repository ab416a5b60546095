#include <functional>

#include "tests/tracking/MainWindowFixture.h"
#include "tracking/TaskList.h"

namespace tw::testing {
namespace {

class TrackingTest : public MainWindowFixture {
 protected:
  frmMain& loadWithTask() {
    addTask("Write report", "Work, Writing");
    load();
    choose("Write report");
    return *window;
  }
};

TEST_F(TrackingTest, StartWithoutATaskAsksForOne) {
  frmMain& w = load();
  w.btnStart_Click();
  expectMessage("Select a Task", Icon::Warning);
  EXPECT_EQ(fake.messages.messages[0].text, "Select a Task");
  EXPECT_FALSE(w.tracking);
  EXPECT_TRUE(journal().empty());
}

// With no work marker in the journal no period of work is open: the first Start opens one.
TEST_F(TrackingTest, FirstStartWritesAStartMarkerAndTheTaskEntry) {
  frmMain& w = loadWithTask();
  w.btnStart_Click();
  const auto items = journal();
  ASSERT_EQ(items.size(), 2u);
  expectItem(items[0], "Start Work", "Tallyworks Start", "TWEvent", monday9().addSeconds(-60));
  expectItem(items[1], "Write report", "Work, Writing", "Task", monday9());
  ASSERT_EQ(items[1]->Attachments().Count(), 1);
  EXPECT_EQ(items[1]->Attachments().Item(1)->Subject(), "Write report");
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->id(), items[1]->id());
  EXPECT_TRUE(w.currentEntry->timerRunning());
  expectButtonsFor(true);
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(TrackingTest, StopSavesTheEntryAndWritesAStopMarker) {
  frmMain& w = loadWithTask();
  w.btnStart_Click();
  const auto entry = w.currentEntry;
  clock.advance(25 * 60);
  w.btnStop_Click();
  EXPECT_FALSE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_FALSE(entry->timerRunning());
  EXPECT_EQ(stored(entry->id())->Duration(), 25);
  const auto items = journal();
  ASSERT_EQ(items.size(), 3u);
  expectItem(items[2], "Stop Work", "Tallyworks Stop", "TWEvent", monday9().addSeconds(26 * 60));
  expectButtonsFor(false);
}

TEST_F(TrackingTest, PauseThenStartKeepsThePeriodOfWorkOpen) {
  frmMain& w = loadWithTask();
  w.btnStart_Click();
  const auto first = w.currentEntry;
  clock.advance(10 * 60);
  w.btnPause_Click();
  EXPECT_EQ(stored(first->id())->Duration(), 10);
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Start Work", "Write report"}));
  clock.advance(5 * 60);
  w.btnStart_Click();
  w.btnStop_Click();
  clock.advance(60 * 60);
  w.btnStart_Click();
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Start Work", "Write report", "Write report",
                                                  "Stop Work", "Start Work", "Write report"}));
}

TEST_F(TrackingTest, StopWhileNothingIsTimedWritesOnlyTheMarker) {
  loadWithTask().btnStop_Click();
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Stop Work"}));
  EXPECT_TRUE(fake.messages.messages.empty());
}

// The most recent work marker decides, whatever the first marker ever written was; only the
// exact marker texts count.
TEST_F(TrackingTest, TheNewestMarkerDecides) {
  frmMain& w = loadWithTask();
  const DateTime lastWeek = monday9().addDays(-7);
  const struct {
    const char* subject;
    const char* type;
    DateTime start;
    bool stopped;
  } steps[] = {
      {"Stop Work", "twevent", lastWeek.addMinutes(300), true},  // still no marker at all
      {"Start Work", "TWEvent", lastWeek, false},
      {"Stop Work", "TWEvent", lastWeek.addMinutes(60), true},
      {"Start Work", "TWEvent", lastWeek.addMinutes(120), false},
      // Written later but dated earlier: the journal's order by start counts.
      {"Stop Work", "TWEvent", lastWeek.addMinutes(30), false},
      // Same start: the one written last is the most recent.
      {"Stop Work", "TWEvent", lastWeek.addMinutes(120), true},
      {"stop work", "TWEvent", lastWeek.addMinutes(200), false},
  };
  for (const auto& step : steps) {
    addJournal(step.subject, step.type, step.start);
    EXPECT_EQ(w.lastTWEventIsStop(), step.stopped) << step.subject << " " << step.type;
  }
  w.btnStart_Click();
  EXPECT_EQ(journal().back()->Subject(), "Write report");
  EXPECT_EQ(journal().size(), std::size(steps) + 1);
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(TrackingTest, StartOnATaskNoLongerListedFailsIntoTrackingWithoutAnEntry) {
  frmMain& w = loadWithTask();
  w.taskList = std::make_unique<TaskList>();
  w.setTracking(true, false);
  expectMessage("Error saving Journal Entry\r\n", Icon::Warning);
  EXPECT_TRUE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_TRUE(w.btnStart->isEnabled());  // the buttons keep their state
}

// Even when another operation unlocks the window, the buttons follow the tracking state.
TEST_F(TrackingTest, UnlockingFollowsTheTrackingState) {
  frmMain& w = loadWithTask();
  w.setEnabled(false);
  for (QWidget* c : std::initializer_list<QWidget*>{
           w.btnStart, w.btnStop, w.btnPause, w.btnLast, w.lstTasks, w.btnExpand, w.txtCategory,
           w.txtStartDate, w.txtEndDate, w.btnDateStart, w.btnDateEnd, w.btnReport, w.btnCSV}) {
    EXPECT_FALSE(c->isEnabled()) << c->metaObject()->className();
  }
  w.setEnabled(true);
  expectButtonsFor(false);
  EXPECT_TRUE(w.btnCSV->isEnabled());
  w.btnStart_Click();
  w.setEnabled(true);
  expectButtonsFor(true);
  EXPECT_TRUE(w.lstTasks->isEnabled());
}

TEST_F(TrackingTest, StartWhileTrackingStopsAndSavesTheRunningEntryFirst) {
  frmMain& w = loadWithTask();
  w.btnStart_Click();
  const auto first = w.currentEntry;
  clock.advance(4 * 60);
  w.btnStart_Click();
  EXPECT_FALSE(first->timerRunning());
  EXPECT_EQ(stored(first->id())->Duration(), 4);
  EXPECT_NE(w.currentEntry, first);
  EXPECT_TRUE(w.currentEntry->timerRunning());
}

// Each handler catches its own store failure and shows its own message.
TEST_F(TrackingTest, EachHandlerReportsAStoreThatStoppedAnswering) {
  frmMain& w = loadWithTask();
  addJournal("Write report", "Task", monday9().addDays(-1));
  breakStore();
  const struct {
    std::function<void()> act;
    QString message;
    Icon icon;
    QString title;
  } handlers[] = {
      {[&] { EXPECT_FALSE(w.lastTWEventIsStop()); }, "Error in lastTWEventIsStop: ", Icon::None,
       "Tallyworks"},
      {[&] { w.btnLast_Click(); }, "Error in btnLast_Click: ", Icon::None, "Tallyworks"},
      {[&] { dropText("Subject: Write report\nStart: 3/10/2024 9:00 AM\n"); },
       "OLE Drop Error: ", Icon::None, "Tallyworks"},
      {[&] { w.createJournalEntry("Start Work", "", "Tallyworks Start", false, "TWEvent"); }, "",
       Icon::Critical, "Error Creating Journal Entry"},
  };
  for (const auto& handler : handlers) {
    fake.messages.messages.clear();
    handler.act();
    expectMessage(handler.message, handler.icon, handler.title);
    EXPECT_GT(fake.messages.messages[0].text.size(), handler.message.size());
    EXPECT_FALSE(w.tracking);
    EXPECT_EQ(w.currentEntry, nullptr);
    EXPECT_TRUE(w.btnExpand->isEnabled() && w.lstTasks->isEnabled());
  }
}

}  // namespace
}  // namespace tw::testing


#include "tests/tracking/MainWindowFixture.h"
#include "tracking/TaskList.h"

namespace tw::testing {
namespace {

using Icon = MessageBoxes::Icon;

class TrackingTest : public MainWindowFixture {
 protected:
  frmMain& loadWithTask() {
    addTask("Write report", "Work, Writing");
    frmMain& w = load();
    choose("Write report");
    return w;
  }
  std::vector<std::string> subjects() const {
    std::vector<std::string> s;
    for (const auto& item : journal()) s.push_back(item->Subject());
    return s;
  }
};

TEST_F(TrackingTest, StartWithoutATaskAsksForOne) {
  frmMain& w = load();
  w.btnStart_Click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].text, "Select a Task");
  EXPECT_EQ(fake.messages.messages[0].title, "Tallyworks");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Warning);
  EXPECT_FALSE(w.tracking);
  EXPECT_TRUE(journal().empty());
}

// With no work marker in the journal no period of work is open: the first Start opens one.
TEST_F(TrackingTest, FirstStartWritesAStartMarkerAndTheTaskEntry) {
  frmMain& w = loadWithTask();
  w.btnStart_Click();
  const auto items = journal();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->Subject(), "Start Work");
  EXPECT_EQ(items[0]->Categories(), "Tallyworks Start");
  EXPECT_EQ(items[0]->Type(), "TWEvent");
  EXPECT_EQ(items[0]->Start(), monday9().addSeconds(-60));
  EXPECT_EQ(items[1]->Subject(), "Write report");
  EXPECT_EQ(items[1]->Categories(), "Work, Writing");
  EXPECT_EQ(items[1]->Type(), "Task");
  EXPECT_EQ(items[1]->Start(), monday9());
  ASSERT_EQ(items[1]->Attachments().Count(), 1);
  EXPECT_EQ(items[1]->Attachments().Item(1)->Subject(), "Write report");
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->id(), items[1]->id());
  EXPECT_TRUE(w.currentEntry->timerRunning());
  EXPECT_FALSE(w.btnStart->isEnabled());
  EXPECT_FALSE(w.btnLast->isEnabled());
  EXPECT_TRUE(w.btnStop->isEnabled());
  EXPECT_TRUE(w.btnPause->isEnabled());
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
  EXPECT_EQ(items[2]->Subject(), "Stop Work");
  EXPECT_EQ(items[2]->Categories(), "Tallyworks Stop");
  EXPECT_EQ(items[2]->Type(), "TWEvent");
  EXPECT_EQ(items[2]->Start(), monday9().addSeconds(25 * 60 + 60));
  EXPECT_TRUE(w.btnStart->isEnabled());
  EXPECT_TRUE(w.btnLast->isEnabled());
  EXPECT_FALSE(w.btnStop->isEnabled());
  EXPECT_FALSE(w.btnPause->isEnabled());
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
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Start Work", "Write report", "Write report"}));
  w.btnStop_Click();
  clock.advance(60 * 60);
  w.btnStart_Click();
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Start Work", "Write report", "Write report",
                                                  "Stop Work", "Start Work", "Write report"}));
}

TEST_F(TrackingTest, StopWhileNothingIsTimedWritesOnlyTheMarker) {
  frmMain& w = loadWithTask();
  w.setEnabled(true);
  w.btnStop_Click();
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Stop Work"}));
  EXPECT_TRUE(fake.messages.messages.empty());
}

// The most recent work marker decides, whatever the first marker ever written was.
TEST_F(TrackingTest, TheNewestMarkerDecides) {
  frmMain& w = loadWithTask();
  const DateTime lastWeek = monday9().addDays(-7);
  addJournal("Start Work", "TWEvent", lastWeek);
  addJournal("Stop Work", "TWEvent", lastWeek.addMinutes(60));
  EXPECT_TRUE(w.lastTWEventIsStop());
  addJournal("Start Work", "TWEvent", lastWeek.addMinutes(120));
  EXPECT_FALSE(w.lastTWEventIsStop());
  // Written later but dated earlier: the journal's order by start counts.
  addJournal("Stop Work", "TWEvent", lastWeek.addMinutes(30));
  EXPECT_FALSE(w.lastTWEventIsStop());
  // Same start: the one written last is the most recent.
  addJournal("Stop Work", "TWEvent", lastWeek.addMinutes(120));
  EXPECT_TRUE(w.lastTWEventIsStop());
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(TrackingTest, OnlyExactMarkerTextsCount) {
  frmMain& w = loadWithTask();
  addJournal("Stop Work", "twevent", monday9().addMinutes(-10));
  EXPECT_TRUE(w.lastTWEventIsStop());  // still no marker at all
  addJournal("stop work", "TWEvent", monday9().addMinutes(-20));
  EXPECT_FALSE(w.lastTWEventIsStop());
  w.btnStart_Click();
  EXPECT_EQ(journal().back()->Subject(), "Write report");
  EXPECT_EQ(journal().size(), 3u);
}

TEST_F(TrackingTest, MarkerScanFailureIsReportedAndAnswersFalse) {
  frmMain& w = loadWithTask();
  breakStore();
  EXPECT_FALSE(w.lastTWEventIsStop());
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_TRUE(fake.messages.messages[0].text.startsWith("Error in lastTWEventIsStop: "));
  EXPECT_GT(fake.messages.messages[0].text.size(), 28);
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::None);
}

TEST_F(TrackingTest, StartOnATaskNoLongerListedFailsIntoTrackingWithoutAnEntry) {
  frmMain& w = loadWithTask();
  w.taskList = std::make_unique<TaskList>();
  w.setTracking(true, false);
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_TRUE(fake.messages.messages[0].text.startsWith("Error saving Journal Entry\r\n"));
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Warning);
  EXPECT_TRUE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_TRUE(w.btnStart->isEnabled());  // the buttons keep their state
}

// Start and Last are usable only while stopped, Stop and Pause only while tracking, even when
// another operation unlocks the window.
TEST_F(TrackingTest, UnlockingFollowsTheTrackingState) {
  frmMain& w = loadWithTask();
  w.setEnabled(false);
  for (QWidget* c : std::initializer_list<QWidget*>{
           w.btnStart, w.btnStop, w.btnPause, w.btnLast, w.lstTasks, w.btnExpand, w.txtCategory,
           w.txtStartDate, w.txtEndDate, w.btnDateStart, w.btnDateEnd, w.btnReport, w.btnCSV}) {
    EXPECT_FALSE(c->isEnabled()) << c->metaObject()->className();
  }
  w.setEnabled(true);
  EXPECT_TRUE(w.btnStart->isEnabled());
  EXPECT_TRUE(w.btnLast->isEnabled());
  EXPECT_FALSE(w.btnStop->isEnabled());
  EXPECT_FALSE(w.btnPause->isEnabled());
  EXPECT_TRUE(w.btnCSV->isEnabled());
  w.btnStart_Click();
  w.setEnabled(true);
  EXPECT_FALSE(w.btnStart->isEnabled());
  EXPECT_FALSE(w.btnLast->isEnabled());
  EXPECT_TRUE(w.btnStop->isEnabled());
  EXPECT_TRUE(w.btnPause->isEnabled());
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

}  // namespace
}  // namespace tw::testing

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "tests/tracking/MainWindowFixture.h"
#include "tracking/TaskList.h"

namespace tw::testing {
namespace {

TEST(TaskListKeys, NamesCompareWithoutLetterCaseAndRepeatsFail) {
  TaskList list;
  list.addTask("Write Report", nullptr);
  EXPECT_THROW(list.addTask("write report", nullptr), std::invalid_argument);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.getTask("nothing"), nullptr);
  list.addTask("Über Planung", nullptr);
  EXPECT_THROW(list.addTask("ÜBER PLANUNG", nullptr), std::invalid_argument);
  EXPECT_THROW(list.addTask("über planung", nullptr), std::invalid_argument);
  EXPECT_EQ(list.count(), 2);
}

using TaskListTest = MainWindowFixture;

TEST_F(TaskListTest, ListsOpenTasksInFolderOrderThenRefresh) {
  addTask("Deferred", "", olTaskDeferred);
  addTask("Started", "", olTaskInProgress);
  addTask("Complete", "", olTaskComplete);
  addTask("Waiting", "", olTaskWaiting);
  addTask("Not started", "", olTaskNotStarted);
  frmMain& w = load();
  EXPECT_EQ(listed(), QStringList({"Started", "Not started", "<Refresh>"}));
  EXPECT_NE(w.taskList->getTask("started"), nullptr);
  EXPECT_EQ(w.taskList->getTask("Complete"), nullptr);
  EXPECT_EQ(w.taskList->count(), 2);
}

TEST_F(TaskListTest, EmptyFolderListsRefreshAlone) {
  load();
  EXPECT_EQ(listed(), QStringList({"<Refresh>"}));
}

TEST_F(TaskListTest, SubjectsDifferingInCaseAreBothListedAndTheFirstIsKept) {
  auto first = addTask("Write Report", "First");
  addTask("WRITE REPORT", "Second");
  frmMain& w = load();
  EXPECT_EQ(listed(), QStringList({"Write Report", "WRITE REPORT", "<Refresh>"}));
  ASSERT_NE(w.taskList->getTask("WRITE REPORT"), nullptr);
  EXPECT_EQ(w.taskList->getTask("WRITE REPORT")->id(), first->id());
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(TaskListTest, RefreshRefillsAndReselectsWithoutStartingAnything) {
  addTask("Alpha");
  frmMain& w = load();
  choose("Alpha");
  EXPECT_EQ(w.selectedTask, "Alpha");
  addTask("Beta");
  choose("<Refresh>");
  EXPECT_EQ(listed(), QStringList({"Alpha", "Beta", "<Refresh>"}));
  EXPECT_EQ(w.lstTasks->currentText(), "Alpha");
  EXPECT_EQ(w.selectedTask, "Alpha");
  EXPECT_FALSE(w.refreshing);
  EXPECT_TRUE(journal().empty());
}

TEST_F(TaskListTest, RefreshWhileTrackingKeepsTheEntryBeingTimed) {
  addTask("Alpha");
  frmMain& w = load();
  choose("Alpha");
  w.btnStart_Click();
  const auto entry = w.currentEntry;
  const std::size_t written = journal().size();
  choose("<Refresh>");
  EXPECT_EQ(w.currentEntry, entry);
  EXPECT_EQ(journal().size(), written);
  EXPECT_TRUE(w.tracking);
  EXPECT_TRUE(w.btnStop->isEnabled());
  EXPECT_FALSE(w.btnStart->isEnabled());
}

TEST_F(TaskListTest, RefreshAfterTheTaskWasCompletedSelectsNothing) {
  auto alpha = addTask("Alpha");
  frmMain& w = load();
  choose("Alpha");
  alpha->setStatus(olTaskComplete);
  alpha->Save();
  choose("<Refresh>");
  EXPECT_EQ(listed(), QStringList({"<Refresh>"}));
  EXPECT_EQ(w.lstTasks->currentIndex(), -1);
  EXPECT_EQ(w.selectedTask, "Alpha");
}

TEST_F(TaskListTest, ChoosingWhileStoppedOnlyRemembersTheTask) {
  addTask("Alpha");
  frmMain& w = load();
  choose("Alpha");
  EXPECT_EQ(w.selectedTask, "Alpha");
  EXPECT_FALSE(w.tracking);
  EXPECT_TRUE(journal().empty());
}

// The entry being replaced is stopped and saved first, so its minutes since the last
// periodic save are kept.
TEST_F(TaskListTest, ChoosingAnotherTaskWhileTrackingSwitchesAndKeepsTheOldMinutes) {
  addTask("Alpha", "Work");
  addTask("Beta", "Home");
  frmMain& w = load();
  choose("Alpha");
  w.btnStart_Click();
  const auto alphaEntry = w.currentEntry;
  const std::size_t written = journal().size();
  clock.advance(7 * 60);
  choose("Beta");
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->Subject(), "Beta");
  EXPECT_EQ(w.currentEntry->Type(), "Task");
  EXPECT_TRUE(w.currentEntry->timerRunning());
  EXPECT_FALSE(alphaEntry->timerRunning());
  EXPECT_EQ(stored(alphaEntry->id())->Duration(), 7);
  ASSERT_EQ(journal().size(), written + 1);  // the new entry only: no start marker
  EXPECT_EQ(journal().back()->Subject(), "Beta");
  EXPECT_EQ(journal().back()->Categories(), "Home");
}

class JournalEntryCreation : public MainWindowFixture {
 protected:
  void registerEntryType() {
    QDir().mkpath(dir.path() + "/config/tallyworks");
    QFile ini(dir.path() + "/config/tallyworks/registry.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(
        "[Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task]\n"
        "Description=Task entries\n");
  }
};

TEST_F(JournalEntryCreation, MarkersAreShiftedAboutAMinuteAwayFromNow) {
  frmMain& w = load();
  w.createJournalEntry("Start Work", "", "Tallyworks Start", false, "TWEvent");
  w.createJournalEntry("Stop Work", "", "Tallyworks Stop", false, "TWEvent");
  w.createJournalEntry("start work", "", "Tallyworks Start", false, "TWEvent");
  const auto items = journal();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0]->Start(), monday9().addDays(-0.000694));
  EXPECT_EQ(items[0]->Start(), monday9().addSeconds(-60));
  EXPECT_EQ(items[0]->Type(), "TWEvent");
  EXPECT_EQ(items[0]->Categories(), "Tallyworks Start");
  EXPECT_EQ(items[1]->Start(), monday9().addSeconds(60));
  EXPECT_EQ(items[2]->Start(), monday9());
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_EQ(items[0]->Attachments().Count(), 0);
}

TEST_F(JournalEntryCreation, TaskEntryIsTaskOrPJTaskAsTheRegistrySays) {
  addTask("Alpha", "Work");
  frmMain& w = load();
  EXPECT_FALSE(w.entryTypeIsRegistered("PJ_Task"));
  w.createJournalEntry("Alpha", "Alpha", "Work", true, "");
  registerEntryType();
  EXPECT_TRUE(w.entryTypeIsRegistered("PJ_Task"));
  EXPECT_FALSE(w.entryTypeIsRegistered("Other"));
  w.createJournalEntry("Alpha", "Alpha", "Work", true, "");
  const auto items = journal();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->Type(), "Task");
  EXPECT_EQ(items[1]->Type(), "PJ_Task");
  EXPECT_EQ(items[1]->Start(), monday9());
  ASSERT_EQ(items[1]->Attachments().Count(), 1);
  EXPECT_EQ(items[1]->Attachments().Item(1)->Subject(), "Alpha");
  EXPECT_EQ(w.currentEntry->id(), items[1]->id());
  // The lookup only reads.
  QFile ini(dir.path() + "/config/tallyworks/registry.ini");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(),
            "[Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task]\n"
            "Description=Task entries\n");
}

TEST_F(JournalEntryCreation, UnknownTaskSavesNothingAndSaysSo) {
  frmMain& w = load();
  w.createJournalEntry("Ghost", "Ghost", "", true, "");
  EXPECT_TRUE(journal().empty());
  EXPECT_EQ(w.currentEntry, nullptr);
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Creating Journal Entry");
  EXPECT_EQ(fake.messages.messages[0].icon, MessageBoxes::Icon::Critical);
  EXPECT_TRUE(w.lstTasks->isEnabled());
}

TEST_F(JournalEntryCreation, StoreThatStoppedAnsweringIsReportedAndUnlocks) {
  frmMain& w = load();
  breakStore();
  w.createJournalEntry("Start Work", "", "Tallyworks Start", false, "TWEvent");
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Creating Journal Entry");
  EXPECT_FALSE(fake.messages.messages[0].text.isEmpty());
  EXPECT_TRUE(w.btnExpand->isEnabled());
}

}  // namespace
}  // namespace tw::testing

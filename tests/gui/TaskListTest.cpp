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
  list.addTask("Über Planung", nullptr);
  for (const char* repeat : {"write report", "ÜBER PLANUNG", "über planung"}) {
    EXPECT_THROW(list.addTask(repeat, nullptr), std::invalid_argument) << repeat;
  }
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.getTask("nothing"), nullptr);
}

using TaskListTest = MainWindowFixture;

TEST_F(TaskListTest, ListsOpenTasksInFolderOrderThenRefresh) {
  load();
  EXPECT_EQ(listed(), QStringList({"<Refresh>"}));
  for (const auto& [subject, status] :
       std::initializer_list<std::pair<const char*, int>>{{"Deferred", olTaskDeferred},
                                                          {"Started", olTaskInProgress},
                                                          {"Complete", olTaskComplete},
                                                          {"Waiting", olTaskWaiting},
                                                          {"Not started", olTaskNotStarted}}) {
    addTask(subject, "", status);
  }
  frmMain& w = load();
  EXPECT_EQ(listed(), QStringList({"Started", "Not started", "<Refresh>"}));
  EXPECT_NE(w.taskList->getTask("started"), nullptr);
  EXPECT_EQ(w.taskList->getTask("Complete"), nullptr);
  EXPECT_EQ(w.taskList->count(), 2);
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

TEST_F(TaskListTest, ChoosingOrRefreshingWhileStoppedStartsNothing) {
  auto alpha = addTask("Alpha");
  frmMain& w = load();
  choose("Alpha");
  EXPECT_EQ(w.selectedTask, "Alpha");
  EXPECT_FALSE(w.tracking);
  addTask("Beta");
  choose("<Refresh>");
  EXPECT_EQ(listed(), QStringList({"Alpha", "Beta", "<Refresh>"}));
  EXPECT_EQ(w.lstTasks->currentText(), "Alpha");
  EXPECT_EQ(w.selectedTask, "Alpha");
  EXPECT_FALSE(w.refreshing);
  EXPECT_TRUE(journal().empty());
  // Once the task is complete the refill cannot reselect it.
  alpha->setStatus(olTaskComplete);
  alpha->Save();
  choose("<Refresh>");
  EXPECT_EQ(listed(), QStringList({"Beta", "<Refresh>"}));
  EXPECT_EQ(w.lstTasks->currentIndex(), -1);
  EXPECT_EQ(w.selectedTask, "Alpha");
}

TEST_F(TaskListTest, RefreshWhileTrackingKeepsTheEntryBeingTimed) {
  addTask("Alpha");
  frmMain& w = startOn("Alpha");
  const auto entry = w.currentEntry;
  const std::size_t written = journal().size();
  choose("<Refresh>");
  EXPECT_EQ(w.currentEntry, entry);
  EXPECT_EQ(journal().size(), written);
  EXPECT_TRUE(w.tracking);
  expectButtonsFor(true);
}

// The entry being replaced is stopped and saved first, so its minutes since the last
// periodic save are kept.
TEST_F(TaskListTest, ChoosingAnotherTaskWhileTrackingSwitchesAndKeepsTheOldMinutes) {
  addTask("Alpha", "Work");
  addTask("Beta", "Home");
  frmMain& w = startOn("Alpha");
  const auto alphaEntry = w.currentEntry;
  const std::size_t written = journal().size();
  clock.advance(7 * 60);
  choose("Beta");
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_TRUE(w.currentEntry->timerRunning());
  EXPECT_FALSE(alphaEntry->timerRunning());
  EXPECT_EQ(stored(alphaEntry->id())->Duration(), 7);
  ASSERT_EQ(journal().size(), written + 1);  // the new entry only: no start marker
  EXPECT_EQ(journal().back()->id(), w.currentEntry->id());
  expectItem(journal().back(), "Beta", "Home", "Task", monday9().addSeconds(7 * 60));
}

class JournalEntryCreation : public MainWindowFixture {
 protected:
  static constexpr const char* kRegistry =
      "[Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task]\n"
      "Description=Task entries\n";
  QString registryFile() const { return dir.path() + "/config/tallyworks/registry.ini"; }
};

TEST_F(JournalEntryCreation, MarkersAreShiftedAboutAMinuteAwayFromNow) {
  frmMain& w = load();
  w.createJournalEntry("Start Work", "", "Tallyworks Start", false, "TWEvent");
  w.createJournalEntry("Stop Work", "", "Tallyworks Stop", false, "TWEvent");
  w.createJournalEntry("start work", "", "Tallyworks Start", false, "TWEvent");
  const auto items = journal();
  ASSERT_EQ(items.size(), 3u);
  expectItem(items[0], "Start Work", "Tallyworks Start", "TWEvent", monday9().addSeconds(-60));
  EXPECT_EQ(items[0]->Attachments().Count(), 0);
  expectItem(items[1], "Stop Work", "Tallyworks Stop", "TWEvent", monday9().addSeconds(60));
  EXPECT_EQ(items[2]->Start(), monday9());
  EXPECT_EQ(w.currentEntry, nullptr);
}

TEST_F(JournalEntryCreation, TaskEntryIsTaskOrPJTaskAsTheRegistrySays) {
  addTask("Alpha", "Work");
  frmMain& w = load();
  EXPECT_FALSE(w.entryTypeIsRegistered("PJ_Task"));
  w.createJournalEntry("Alpha", "Alpha", "Work", true, "");
  QDir().mkpath(dir.path() + "/config/tallyworks");
  QFile ini(registryFile());
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(kRegistry);
  ini.close();
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
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), kRegistry);
}

TEST_F(JournalEntryCreation, UnknownTaskSavesNothingAndSaysSo) {
  frmMain& w = load();
  w.createJournalEntry("Ghost", "Ghost", "", true, "");
  EXPECT_TRUE(journal().empty());
  EXPECT_EQ(w.currentEntry, nullptr);
  expectMessage("", Icon::Critical, "Error Creating Journal Entry");
  EXPECT_TRUE(w.lstTasks->isEnabled());
}

}  // namespace
}  // namespace tw::testing

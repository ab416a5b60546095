#include "Version.h"
#include "reporting/Twips.h"
#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

using StartupTest = MainWindowFixture;

TEST_F(StartupTest, LoadsStoppedCollapsedWithTheVersionCaption) {
  addTask("Write report", "Work");
  frmMain w(fake.services);
  EXPECT_TRUE(w.Timer1->isActive());
  EXPECT_EQ(w.Timer1->interval(), 500);
  w.Timer1->stop();
  w.Form_Load();

  EXPECT_EQ(w.windowTitle(), QString("Tallyworks v%1.%2.%3")
                                 .arg(version::major)
                                 .arg(version::minor)
                                 .arg(version::revision));
  EXPECT_EQ(w.pos(), QPoint(twipsToPixels(100), twipsToPixels(100)));
  EXPECT_EQ(w.frameGeometry().height(), twipsToPixels(990));
  EXPECT_EQ(w.width(), twipsToPixels(5595));
  EXPECT_FALSE(w.reportShown);
  EXPECT_EQ(w.btnPause->text(), "||");
  EXPECT_TRUE(w.btnPause->font().bold() && w.btnExpand->font().bold());
  EXPECT_TRUE(w.frReport->isHidden());
  EXPECT_TRUE(w.btnStart->isEnabled());
  EXPECT_TRUE(w.btnLast->isEnabled());
  EXPECT_FALSE(w.btnStop->isEnabled());
  EXPECT_FALSE(w.btnPause->isEnabled());
  EXPECT_EQ(w.lstTasks->currentIndex(), -1);
  EXPECT_EQ(w.lstTasks->currentText(), "");
  EXPECT_FALSE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_EQ(w.lastSaveTime, monday9());
  EXPECT_TRUE(fake.messages.messages.empty());
  w.Timer1_Timer();
  EXPECT_EQ(w.statusPanel1->text(), "Stopped");
  EXPECT_EQ(w.statusPanel2->text(), "");
  EXPECT_TRUE(journal().empty());
}

TEST_F(StartupTest, ReportAreaShowsAndHidesByHeightOnly) {
  frmMain& w = load();
  const QPoint place = w.pos();
  w.showReportArea(true);
  EXPECT_TRUE(w.reportShown);
  EXPECT_FALSE(w.frReport->isHidden());
  EXPECT_EQ(w.frameGeometry().height(), twipsToPixels(3495));
  w.showReportArea(true);
  EXPECT_EQ(w.frameGeometry().height(), twipsToPixels(3495));
  w.showReportArea(false);
  EXPECT_TRUE(w.frReport->isHidden());
  EXPECT_EQ(w.frameGeometry().height(), twipsToPixels(990));
  EXPECT_EQ(w.width(), twipsToPixels(5595));
  EXPECT_EQ(w.pos(), place);
}

TEST_F(StartupTest, UnreachableStoreLeavesAnEmptyUsableWindow) {
  addTask("Write report");
  breakStore();
  frmMain& w = load();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Getting Tasks");
  EXPECT_EQ(fake.messages.messages[0].icon, MessageBoxes::Icon::Critical);
  EXPECT_FALSE(fake.messages.messages[0].text.isEmpty());
  EXPECT_EQ(w.lstTasks->count(), 0);
  EXPECT_TRUE(w.lstTasks->isEnabled());
  EXPECT_TRUE(w.btnStart->isEnabled());
  EXPECT_TRUE(w.btnExpand->isEnabled());
}

TEST_F(StartupTest, ClosingWhileTrackingSavesTheEntryOnceMoreWithoutAMarker) {
  addTask("Write report");
  frmMain& w = load();
  choose("Write report");
  w.btnStart_Click();
  const std::int64_t id = w.currentEntry->id();
  const std::size_t written = journal().size();
  clock.advance(3 * 60);
  w.close();
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_EQ(w.taskList, nullptr);
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(journal().size(), written);
  EXPECT_EQ(stored(id)->Duration(), 3);
  for (const auto& item : journal()) EXPECT_NE(item->Subject(), "Stop Work");
}

TEST_F(StartupTest, ClosingWhileStoppedWritesNothing) {
  addTask("Write report");
  frmMain& w = load();
  choose("Write report");
  w.btnStart_Click();
  w.btnPause_Click();
  const std::size_t written = journal().size();
  w.close();
  EXPECT_EQ(journal().size(), written);
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(StartupTest, ClosingIgnoresAStoreThatStoppedAnswering) {
  addTask("Write report");
  frmMain& w = load();
  choose("Write report");
  w.btnStart_Click();
  breakStore();
  w.close();
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_EQ(w.currentEntry, nullptr);
}

}  // namespace
}  // namespace tw::testing

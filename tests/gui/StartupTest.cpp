#include "Version.h"
#include "reporting/Twips.h"
#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

using StartupTest = MainWindowFixture;

TEST_F(StartupTest, LoadsStoppedCollapsedWithTheVersionCaption) {
  addTask("Write report", "Work");
  window = std::make_unique<frmMain>(fake.services);
  frmMain& w = *window;
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
  EXPECT_EQ(w.btnPause->text(), "||");
  EXPECT_TRUE(w.btnPause->font().bold() && w.btnExpand->font().bold());
  EXPECT_TRUE(w.frReport->isHidden() && !w.reportShown);
  expectButtonsFor(false);
  EXPECT_EQ(w.lstTasks->currentIndex(), -1);
  EXPECT_FALSE(w.tracking);
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_EQ(w.lastSaveTime, monday9());
  EXPECT_TRUE(fake.messages.messages.empty());
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "Stopped");
  EXPECT_EQ(panel2(), "");
  EXPECT_TRUE(journal().empty());
}

TEST_F(StartupTest, ReportAreaShowsAndHidesByHeightOnly) {
  frmMain& w = load();
  const QPoint place = w.pos();
  for (const bool shown : {true, true, false}) {
    w.showReportArea(shown);
    EXPECT_EQ(w.reportShown, shown);
    EXPECT_EQ(w.frReport->isHidden(), !shown);
    EXPECT_EQ(w.frameGeometry().height(), twipsToPixels(shown ? 3495 : 990));
  }
  EXPECT_EQ(w.width(), twipsToPixels(5595));
  EXPECT_EQ(w.pos(), place);
}

TEST_F(StartupTest, UnreachableStoreLeavesAnEmptyUsableWindow) {
  addTask("Write report");
  breakStore();
  frmMain& w = load();
  expectMessage("", Icon::Critical, "Error Getting Tasks");
  EXPECT_FALSE(fake.messages.messages[0].text.isEmpty());
  EXPECT_EQ(w.lstTasks->count(), 0);
  EXPECT_TRUE(w.lstTasks->isEnabled() && w.btnStart->isEnabled() && w.btnExpand->isEnabled());
}

TEST_F(StartupTest, ClosingWhileTrackingSavesTheEntryOnceMoreWithoutAMarker) {
  addTask("Write report");
  frmMain& w = startOn("Write report");
  const std::int64_t id = w.currentEntry->id();
  const auto written = subjects();
  clock.advance(3 * 60);
  w.close();
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_EQ(w.taskList, nullptr);
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(subjects(), written);
  EXPECT_EQ(stored(id)->Duration(), 3);
}

TEST_F(StartupTest, ClosingWhileStoppedOrOnABrokenStoreWritesAndSaysNothing) {
  addTask("Write report");
  startOn("Write report").btnPause_Click();
  const std::size_t written = journal().size();
  window->close();
  EXPECT_EQ(journal().size(), written);

  load();
  startOn("Write report");
  breakStore();
  window->close();
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_EQ(window->currentEntry, nullptr);
}

}  // namespace
}  // namespace tw::testing

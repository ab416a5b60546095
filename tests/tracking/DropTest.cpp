#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>

#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

using Icon = MessageBoxes::Icon;

class DropTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    addTask("Alpha", "A");
    addTask("Beta", "B");
    addJournal("Beta", "Task", DateTime::fromParts(2002, 12, 5, 10, 30, 15));
    dropped = addJournal("Beta", "Task", DateTime::fromParts(2002, 12, 5, 10, 30, 0));
  }
  void dropText(const QString& text) {
    QMimeData data;
    data.setText(text);
    window->lstTasks_OLEDragDrop(&data);
  }
  static constexpr const char* kDragged = "Subject: Beta\nStart: 12/5/2002 10:30 AM\n";
  std::shared_ptr<JournalItem> dropped;
};

TEST_F(DropTest, NonTextDataIsRefusedAndChangesNothing) {
  frmMain& w = load();
  w.currentEntry = dropped;
  QMimeData data;
  data.setImageData(QImage(4, 4, QImage::Format_RGB32));
  w.lstTasks_OLEDragDrop(&data);
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].text, "Invalid OLE Type");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Warning);
  EXPECT_EQ(w.currentEntry, dropped);
}

TEST_F(DropTest, MatchingTextPutsTheItemBackWhileStopped) {
  frmMain& w = load();
  dropText(kDragged);
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_EQ(w.lstTasks->currentText(), "Beta");
  EXPECT_EQ(w.selectedTask, "Beta");
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->id(), dropped->id());
  EXPECT_FALSE(w.tracking);
  EXPECT_FALSE(w.currentEntry->timerRunning());
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "ERROR");
  EXPECT_EQ(panel2(), "Errant Entry in Memory");
  EXPECT_EQ(journal().size(), 2u);
}

TEST_F(DropTest, SecondsInTheStartMustMatchToo) {
  addJournal("Alpha", "Task", DateTime::fromParts(2002, 12, 6, 10, 30, 15));
  frmMain& w = load();
  dropText("Alpha 12/6/2002 10:30 AM");
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].text, "Invalid Journal Entry or not a Journal Entry");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Warning);
  EXPECT_EQ(w.currentEntry, nullptr);
  fake.messages.messages.clear();
  dropText("Alpha 12/6/2002 10:30:15 AM");
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_EQ(w.currentEntry->Subject(), "Alpha");
}

// The running entry is stopped and saved first; the dropped item then goes on timing.
TEST_F(DropTest, MatchWhileTrackingTimesTheDroppedItem) {
  frmMain& w = load();
  choose("Alpha");
  w.btnStart_Click();
  const auto alpha = w.currentEntry;
  clock.advance(6 * 60);
  dropText(kDragged);
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_FALSE(alpha->timerRunning());
  EXPECT_EQ(stored(alpha->id())->Duration(), 6);
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->id(), dropped->id());
  EXPECT_TRUE(w.currentEntry->timerRunning());
  // The Beta entry that choosing the task started has given way and runs no more.
  const auto items = journal();
  EXPECT_EQ(items.back()->Subject(), "Beta");
  EXPECT_EQ(items.back()->Duration(), 0);
  clock.advance(2 * 60);
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "2m");
  EXPECT_EQ(panel2(), "");
}

TEST_F(DropTest, NoMatchWhileTrackingKeepsTheMinutesAndLeavesNoEntry) {
  frmMain& w = load();
  choose("Alpha");
  w.btnStart_Click();
  const auto alpha = w.currentEntry;
  clock.advance(3 * 60);
  dropText("Something else entirely");
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].text, "Invalid Journal Entry or not a Journal Entry");
  EXPECT_EQ(w.currentEntry, nullptr);
  EXPECT_TRUE(w.tracking);
  EXPECT_FALSE(alpha->timerRunning());
  EXPECT_EQ(stored(alpha->id())->Duration(), 3);
}

TEST_F(DropTest, StoreThatStoppedAnsweringIsReported) {
  frmMain& w = load();
  breakStore();
  dropText(kDragged);
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_TRUE(fake.messages.messages[0].text.startsWith("OLE Drop Error: "));
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::None);
  EXPECT_EQ(w.currentEntry, nullptr);
}

TEST_F(DropTest, ADropEventOnTheListReachesTheHandler) {
  frmMain& w = load();
  QMimeData data;
  data.setText(kDragged);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w.lstTasks, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w.lstTasks, &drop);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->id(), dropped->id());
}

}  // namespace
}  // namespace tw::testing

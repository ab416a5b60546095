#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>

#include "tests/tracking/MainWindowFixture.h"

namespace tw::testing {
namespace {

class DropTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    addTask("Alpha", "A");
    addTask("Beta", "B");
    addJournal("Beta", "Task", DateTime::fromParts(2002, 12, 5, 10, 30, 15));
    dropped = addJournal("Beta", "Task", DateTime::fromParts(2002, 12, 5, 10, 30, 0));
    load();
  }
  // Starts Alpha and lets six minutes pass.
  std::shared_ptr<JournalItem> trackAlpha() {
    startOn("Alpha");
    clock.advance(6 * 60);
    return window->currentEntry;
  }
  static constexpr const char* kDragged = "Subject: Beta\nStart: 12/5/2002 10:30 AM\n";
  static constexpr const char* kNoMatch = "Invalid Journal Entry or not a Journal Entry";
  std::shared_ptr<JournalItem> dropped;
};

TEST_F(DropTest, NonTextDataIsRefusedAndChangesNothing) {
  window->currentEntry = dropped;
  QMimeData data;
  data.setImageData(QImage(4, 4, QImage::Format_RGB32));
  window->lstTasks_OLEDragDrop(&data);
  expectMessage("Invalid OLE Type", Icon::Warning);
  EXPECT_EQ(window->currentEntry, dropped);
}

TEST_F(DropTest, MatchingTextPutsTheItemBackWhileStopped) {
  frmMain& w = *window;
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
  dropText("Alpha 12/6/2002 10:30 AM");
  expectMessage(kNoMatch, Icon::Warning);
  EXPECT_EQ(window->currentEntry, nullptr);
  fake.messages.messages.clear();
  dropText("Alpha 12/6/2002 10:30:15 AM");
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_EQ(window->currentEntry->Subject(), "Alpha");
}

// The running entry is stopped and saved first; the dropped item then goes on timing.
TEST_F(DropTest, MatchWhileTrackingTimesTheDroppedItem) {
  frmMain& w = *window;
  const auto alpha = trackAlpha();
  dropText(kDragged);
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_FALSE(alpha->timerRunning());
  EXPECT_EQ(stored(alpha->id())->Duration(), 6);
  EXPECT_TRUE(w.tracking);
  ASSERT_NE(w.currentEntry, nullptr);
  EXPECT_EQ(w.currentEntry->id(), dropped->id());
  EXPECT_TRUE(w.currentEntry->timerRunning());
  // The Beta entry that choosing the task started has given way and runs no more.
  EXPECT_EQ(journal().back()->Subject(), "Beta");
  EXPECT_EQ(journal().back()->Duration(), 0);
  clock.advance(2 * 60);
  w.Timer1_Timer();
  EXPECT_EQ(panel1(), "2m");
  EXPECT_EQ(panel2(), "");
}

TEST_F(DropTest, NoMatchWhileTrackingKeepsTheMinutesAndLeavesNoEntry) {
  const auto alpha = trackAlpha();
  dropText("Something else entirely");
  expectMessage(kNoMatch, Icon::Warning);
  EXPECT_EQ(fake.messages.messages[0].text, kNoMatch);
  EXPECT_EQ(window->currentEntry, nullptr);
  EXPECT_TRUE(window->tracking);
  EXPECT_FALSE(alpha->timerRunning());
  EXPECT_EQ(stored(alpha->id())->Duration(), 6);
}

TEST_F(DropTest, ADropEventOnTheListReachesTheHandler) {
  QMimeData data;
  data.setText(kDragged);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window->lstTasks, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window->lstTasks, &drop);
  ASSERT_NE(window->currentEntry, nullptr);
  EXPECT_EQ(window->currentEntry->id(), dropped->id());
}

}  // namespace
}  // namespace tw::testing

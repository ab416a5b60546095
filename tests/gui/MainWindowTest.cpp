#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>

#include "WindowFixture.h"
#include "gui/MainWindowLauncher.h"

namespace tw::test {
namespace {

using Subjects = std::vector<std::string>;

class MainWindowTest : public WindowFixture {
 protected:
  // Drags the data onto the task list and drops it there.
  void drop(const QMimeData& data) const {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(child<QComboBox>("taskList"), &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(child<QComboBox>("taskList"), &event);
  }
  void dropText(const QString& text) const {
    QMimeData data;
    data.setText(text);
    drop(data);
  }
};

TEST_F(MainWindowTest, ListsOpenTasksAndRefreshReadsThemAgain) {
  const JournalEntry timed = addEntry("Alpha", at(10, 9));
  RunningTimer gone;  // left by a window process that is gone
  gone.entryId = timed.id;
  gone.ownerPid = ProcessIdentity::self().pid;
  gone.ownerStart = 1;
  store.setTimer(gone);
  addTask("Deferred", "", TaskStatus::Deferred);
  addTask("Write Report");
  addTask("Done", "", TaskStatus::Complete);
  addTask("WRITE REPORT");
  Task alpha = addTask("Alpha", "", TaskStatus::InProgress);
  load();
  EXPECT_EQ(listed(), "Write Report|WRITE REPORT|Alpha|<Refresh>|<Edit tasks…>");
  EXPECT_EQ(current(), "");
  expectButtonsFor(false);
  window->onTick();
  EXPECT_EQ(status(), "Stopped|");

  choose("Alpha");
  addTask("Beta");
  choose("<Refresh>");
  EXPECT_EQ(listed(), "Write Report|WRITE REPORT|Alpha|Beta|<Refresh>|<Edit tasks…>");
  EXPECT_EQ(current(), "Alpha");
  alpha.status = TaskStatus::Complete;
  store.updateTask(alpha);
  choose("<Refresh>");
  EXPECT_EQ(current(), "");
  EXPECT_EQ(subjects(), Subjects{"Alpha"});
  expectShown({});
}

// A task chosen while stopped starts nothing; while tracking it takes the timing over.
TEST_F(MainWindowTest, ButtonsFollowTheTrackingState) {
  addTask("Alpha");
  addTask("Beta", "Home");
  addEntry("Beta", at(10, 9));
  load();
  click("startButton");
  expectShown({"Tallyworks W: Select a Task"});
  click("lastButton");
  EXPECT_EQ(current(), "Beta");
  expectButtonsFor(true);
  click("pauseButton");
  expectButtonsFor(false, true);
  choose("Alpha");
  click("startButton");
  expectButtonsFor(true);
  choose("Beta");
  choose("<Refresh>");
  window->onTick();
  EXPECT_EQ(status(), "< 1m|Home");
  click("pauseButton");
  click("stopButton");  // closes the period of work although paused
  expectButtonsFor(false);
  EXPECT_EQ(subjects(), (Subjects{"Beta", "Start Work", "Beta", "Alpha", "Beta", "Stop Work"}));
  expectShown({});
}

TEST_F(MainWindowTest, StatusBarShowsTheTimeSpentAndClosingSavesIt) {
  addTask("Alpha", "Work, Writing");
  load();
  choose("Alpha");
  click("startButton");
  const std::pair<int, QString> ticks[] = {
      {0, "< 1m"}, {59, "< 1m"}, {1, "1m"}, {59 * 60, "1h "}, {65 * 60, "2h 5m"}};
  for (const auto& [seconds, time] : ticks) {
    clock.advance(seconds);
    window->onTick();
    EXPECT_EQ(status(), time + "|Work, Writing");
  }
  clock.advance(59);
  window->close();
  EXPECT_EQ(store.entry(session.held()->id)->seconds, 125 * 60 + 59);
}

TEST_F(MainWindowTest, DroppedJournalTextPutsThatEntryBack) {
  addTask("Alpha");
  addTask("Beta", "B");
  addEntry("beta", at(5, 10, 30), "B", 5);
  load();
  QMimeData image;
  image.setImageData(QImage(2, 2, QImage::Format_RGB32));
  drop(image);
  dropText("Subject: beta\nStart: 3/5/2024 10:31 AM");
  expectShown({"Tallyworks W: Invalid OLE Type",
               "Tallyworks W: Invalid Journal Entry or not a Journal Entry"});
  const QString beta = "Subject: beta\nStart: 3/5/2024 10:30 AM\n";
  dropText(beta);  // while stopped the entry is held, not timed
  window->onTick();
  EXPECT_EQ(status(), "ERROR|Errant Entry in Memory");
  EXPECT_EQ(current(), "Beta");
  choose("Alpha");
  click("startButton");
  dropText(beta);  // while tracking it is timed on from its five minutes
  clock.advance(120);
  dropText("Beta, some other day");
  window->onTick();
  EXPECT_EQ(status(), "7m|B");
  EXPECT_EQ(current(), "Beta");
  expectButtonsFor(true);
  expectShown({"Tallyworks W: Invalid Journal Entry or not a Journal Entry"});
  EXPECT_EQ(subjects(), (Subjects{"beta", "Start Work", "Alpha"}));
}

TEST_F(MainWindowTest, EachHandlerShowsItsOwnFailure) {
  addTask("Alpha");
  addEntry("Alpha", at(10, 9));
  load();
  choose("Alpha");
  click("startButton");
  removeStoreFiles();
  const QString saving = "Tallyworks W: Error saving Journal Entry\r\n";
  const std::pair<std::function<void()>, QString> handlers[] = {
      {[&] { window->close(); }, "Tallyworks C: Error saving Journal Entry\r\n"},
      {[&] { click("stopButton"); }, saving},
      {[&] { click("startButton"); }, saving},
      {[&] { click("pauseButton"); }, saving},
      {[&] { click("lastButton"); }, "Tallyworks -: Error resuming the last task: "},
      {[&] { dropText("Alpha 3/10/2024 9:00 AM"); }, "Tallyworks -: OLE Drop Error: "},
      {[&] { choose("<Refresh>"); }, "Error Getting Tasks C: "},
  };
  for (const auto& [act, shown] : handlers) {
    SCOPED_TRACE(shown.toStdString());
    act();
    expectShown({shown + "The store file"});
  }
}

TEST_F(MainWindowTest, TickFailuresRestartTwiceThenStopTheTicks) {
  addTask("Alpha");
  load();
  child<QTimer>("tickTimer")->start();
  desktop.onMessage = [this] { window->onTick(); };  // ticks wait while a message is open
  const QString restart = "Tallyworks W: Error, Restarting Outlook\r\nOverflow";
  // A completed tracking tick (no overflow) starts the count again.
  for (const bool overflow : {true, true, false, true, true, true}) {
    choose("Alpha");
    click("startButton");
    clock.advance(overflow ? 32768LL * 3600 : 60);
    window->onTick();
  }
  expectShown({restart, restart, restart, restart,
               "Tallyworks C: Fatal error, Please restart Tallyworks\r\nOverflow"});
  EXPECT_FALSE(child<QTimer>("tickTimer")->isActive());
}

TEST_F(MainWindowTest, FollowsTimingStartedAndStoppedByAnotherProcess) {
  addTask("Alpha", "Work");
  load();
  SqliteJournalStore other(path);
  TrackingSession commandLine(other, clock, ProcessIdentity::detached(),
                              EntryTypeRule(folder.file("registry.ini")));
  commandLine.reloadTasks();
  commandLine.start("Alpha");
  window->onTick();
  expectButtonsFor(true);
  EXPECT_EQ(current(), "Alpha");
  EXPECT_EQ(status(), "< 1m|Work");
  commandLine.stop();
  window->onTick();
  expectButtonsFor(false);
  EXPECT_EQ(status(), "Stopped|");
}

TEST_F(MainWindowTest, AStoreThatCannotBeOpenedLeavesAnEmptyUsableWindow) {
  std::filesystem::create_directory(folder.file("folder.db"));
  MainWindowLauncher launcher(services, opener, folder.file("folder.db"));
  window = &launcher.window();
  expectShown({"Error Getting Tasks C: The store file"});
  EXPECT_EQ(listed(), "<Refresh>|<Edit tasks…>");
  click("lastButton");
  expectShown({"Tallyworks -: Error resuming the last task: The store file"});
  window->onTick();
  EXPECT_EQ(status(), "Stopped|");
  expectButtonsFor(false);
}

}  // namespace
}  // namespace tw::test

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "WindowFixture.h"
#include "gui/main/MainWindowLauncher.h"
#include "tests/support/WriteLockHolder.h"

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
  // Every later call on the store fails while its file is moved away.
  void moveStoreAway() const { std::filesystem::rename(path, path + ".away"); }
  void moveStoreBack() const { std::filesystem::rename(path + ".away", path); }
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
  clock.advance(300);
  click("pauseButton");
  expectButtonsFor(false, true);
  window->onTick();
  EXPECT_EQ(status(), "Paused|Beta since 9:05:00 AM");
  EXPECT_EQ(window->windowTitle().section(" — ", 0, 0), "Paused: Beta since 9:05:00 AM");
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

// Each key does what its button or menu entry does, in the order of the table (a button's key
// clicks it once its press has been shown).
TEST_F(MainWindowTest, KeysTriggerTheButtonsAndTheMenu) {
  addTask("Alpha");
  load();
  window->show();
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  choose("Alpha");
  QSignalSpy summary(window, &MainWindow::summaryRequested);
  QSignalSpy quit(window, &MainWindow::quitRequested);
  QSignalSpy preferences(window, &MainWindow::preferencesRequested);
  int dialogs = 0;
  desktop.onDialog = [&](QDialog&) { return ++dialogs, 0; };
  const auto visible = [this](const char* name) { return child<QWidget>(name)->isVisible(); };
  // Stop is usable while a period of work is open, Pause while timing.
  const auto usable = [this](bool stop, bool pause) {
    return std::pair(stop, pause) == std::pair(child<QPushButton>("stopButton")->isEnabled(),
                                               child<QPushButton>("pauseButton")->isEnabled());
  };
  const std::pair<QKeySequence, std::function<bool()>> keys[] = {
      {Qt::ALT | Qt::Key_S, [&] { return usable(true, true); }},
      {Qt::ALT | Qt::Key_P, [&] { return usable(true, false); }},
      {Qt::ALT | Qt::Key_T, [&] { return usable(false, false); }},
      {Qt::ALT | Qt::Key_L, [&] { return usable(true, true); }},
      {Qt::ALT | Qt::Key_R, [&] { return visible("reportPanel"); }},
      {Qt::CTRL | Qt::Key_T, [&] { return dialogs == 1; }},
      {Qt::CTRL | Qt::Key_J, [&] { return visible("journalWindow"); }},
      {Qt::CTRL | Qt::Key_U, [&] { return summary.size() == 1; }},
      {Qt::CTRL | Qt::Key_Comma, [&] { return preferences.size() == 1; }},
      {Qt::CTRL | Qt::Key_Q, [&] { return quit.size() == 1; }},
      {Qt::Key_F10, [&] { return visible("mainMenu"); }},
  };
  for (const auto& [key, done] : keys) {
    QTest::keySequence(window, key);
    EXPECT_TRUE(QTest::qWaitFor(done)) << key.toString().toStdString();
  }
  child<QMenu>("mainMenu")->close();
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
  expectShown({"Tallyworks W: Only the text of a journal entry can be dropped here.",
               "Tallyworks W: Invalid Journal Entry or not a Journal Entry"});
  const QString beta = "Subject: beta\nStart: 3/5/2024 10:30 AM\n";
  dropText(beta);  // while stopped the entry is held, not timed
  window->onTick();
  EXPECT_EQ(status(), "5m|beta: chosen from the journal, not timed");
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

// Each handler shows its own failure; a step that fails changes nothing, so the window goes on
// showing what the store still times.
TEST_F(MainWindowTest, EachHandlerShowsItsOwnFailure) {
  addTask("Alpha");
  addTask("Beta");
  addEntry("Alpha", at(10, 9));
  load();
  choose("Alpha");
  click("startButton");
  const QString saving = "Tallyworks W: Error saving Journal Entry\r\n";
  using Handlers = std::vector<std::pair<std::function<void()>, QString>>;
  const Handlers whileTiming = {
      {[&] { window->close(); }, "Tallyworks C: Error saving Journal Entry\r\n"},
      {[&] { click("stopButton"); }, saving},
      {[&] { click("pauseButton"); }, saving},
      {[&] { choose("Beta"); }, saving},
      {[&] { dropText("Alpha 3/10/2024 9:00 AM"); },
       "Tallyworks -: The dropped journal entry cannot be taken up: "},
      {[&] { choose("<Refresh>"); }, "Error Getting Tasks C: "},
  };
  const Handlers whileStopped = {
      {[&] { click("startButton"); }, saving},
      {[&] { click("lastButton"); }, "Tallyworks -: Error resuming the last task: "},
  };
  for (const auto* handlers : {&whileTiming, &whileStopped}) {
    moveStoreAway();
    for (const auto& [act, shown] : *handlers) {
      SCOPED_TRACE(shown.toStdString());
      act();
      expectShown({shown + "The store file"});
      expectButtonsFor(handlers == &whileTiming);
    }
    moveStoreBack();
    choose("<Refresh>");
    click("stopButton");
  }
  EXPECT_EQ(subjects(), (Subjects{"Alpha", "Start Work", "Alpha", "Stop Work"}));
}

// The minute's save fails while another program holds the store's write lock: no message box,
// the time goes on, and the status bar says since when nothing could be saved and why (what
// the session saves then: StoreFaultTest).
TEST_F(MainWindowTest, AStoreThatCannotBeWrittenKeepsTheTimingAndSaysSinceWhen) {
  addTask("Alpha", "Work");
  load();
  choose("Alpha");
  click("startButton");
  clock.advance(61);
  window->onTick();
  const WriteLockHolder lock(path);
  for (const int seconds : {61, 1, 600}) {
    clock.advance(seconds);
    window->onTick();
  }
  EXPECT_EQ(status(),
            "12m|Not saved since 9:01:01 AM: it is locked by another program; try again in a "
            "moment");
  expectButtonsFor(true);
  expectShown({});
}

// A fault no tick can mend (a clock beyond the year 9999) stops the ticks with one message;
// the timer goes on in the store.
TEST_F(MainWindowTest, AFaultNoTickCanMendStopsTheTicksWithOneMessage) {
  addTask("Alpha");
  load();
  child<QTimer>("tickTimer")->start();
  choose("Alpha");
  click("startButton");
  clock.setWall(Instant::fromUnix(300'000'000'000));
  window->onTick();
  expectShown({"Tallyworks C: Tallyworks cannot go on showing the timing:\r\n"});
  EXPECT_FALSE(child<QTimer>("tickTimer")->isActive());
  EXPECT_TRUE(store.timer().running());
}

TEST_F(MainWindowTest, FollowsTimingStartedAndStoppedByAnotherProcess) {
  addTask("Alpha", "Work");
  load();
  SqliteJournalStore other(path);
  TrackingSession commandLine(other, clock, ProcessIdentity::detached(),
                              EntryTypeRule(folder.file("tallyworks.ini")));
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

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "core/SystemClock.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"
#include "tracking/TrackingSession.h"
#include "tracking/UnfinishedWork.h"

namespace tw::test {
namespace {

using namespace std::chrono_literals;

// The window part of the program in a process of its own (headless), taking up the timing of
// "Alpha" that a command-line session on the same store started.
class WindowProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { store.addTask(Task{0, "", "Alpha", "", TaskStatus::NotStarted, 0}); }

  // Starts the timing on a whole second, then the window, and waits until the window owns it.
  void startWindow() {
    const auto now = std::chrono::system_clock::now();
    std::this_thread::sleep_until(std::chrono::ceil<std::chrono::seconds>(now));
    commandLine.reloadTasks();
    commandLine.start("Alpha");
    timed = store.timer();
    startOn(window, QProcess::ForwardedChannels);
    ASSERT_TRUE(QTest::qWaitFor([this] { return store.timer().ownerPid == window.processId(); }));
  }
  // Runs the window part, headless, on the store.
  void startOn(QProcess& process, QProcess::ProcessChannelMode channels) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.file("config")));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(channels);
    process.start(TW_WINDOW_PROCESS, {QString::fromStdString(path)});
    ASSERT_TRUE(process.waitForStarted());
  }
  void endWindow(int signalNumber) {
    ::kill(static_cast<pid_t>(window.processId()), signalNumber);
    ASSERT_TRUE(window.waitForFinished(10000));
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(window.exitCode(), 0);
  }
  std::int64_t savedSeconds() { return store.entry(timed.entryId)->seconds; }

  TempFolder folder;
  std::string path = folder.file("store.db");
  SystemClock clock;
  SqliteJournalStore store{path};
  TrackingSession commandLine{store, clock, ProcessIdentity::detached(),
                              EntryTypeRule(folder.file("tallyworks.ini"))};
  RunningTimer timed;
  QProcess window;
};

TEST_F(WindowProcessTest, EndingSignalsSaveEverySecondTimed) {
  for (const int signalNumber : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    startWindow();
    std::this_thread::sleep_for(2500ms);
    const std::int64_t elapsed = clock.now().secondsSince(timed.started);
    endWindow(signalNumber);
    EXPECT_NEAR(savedSeconds(), elapsed, 1);
  }
}

// Exports and reports of the command line read the store all along while the window times,
// saves on SIGTERM, and the timer it left is then ended where it saved: no reader fails, and
// the saved seconds, the "Stop Work" marker and a sound store are there at the end. The readers
// loop until told to stop (the count only bounds a test gone wrong), however fast a command is.
TEST_F(WindowProcessTest, CommandLineReadersRunBesideTheWindow) {
  if (!QFileInfo(TW_TALLYWORKS).isExecutable()) GTEST_SKIP() << "tallyworks is not built";
  startWindow();
  const std::string stop = folder.file("stop"), exported = folder.file("export.jsonl");
  QProcess readers;
  readers.setProcessChannelMode(QProcess::ForwardedChannels);
  const QString loop = QStringLiteral(
      "i=0; while [ $i -lt 100000 ] && [ ! -e \"$3\" ]; do"
      " \"$0\" --store \"$1\" journal export \"$2\" &&"
      " \"$0\" --store \"$1\" report >/dev/null || exit 1; i=$((i+1)); done");
  readers.start("/bin/sh",
                {"-c", loop, TW_TALLYWORKS, path.c_str(), exported.c_str(), stop.c_str()});
  ASSERT_TRUE(readers.waitForStarted());
  std::this_thread::sleep_for(2500ms);
  const std::int64_t elapsed = clock.now().secondsSince(timed.started);
  endWindow(SIGTERM);
  const std::int64_t saved = savedSeconds();
  EXPECT_NEAR(saved, elapsed, 1);
  commandLine.stopAt(store.timer(), store.entry(timed.entryId)->start.plus(saved));
  std::this_thread::sleep_for(1000ms);
  writeBytes(stop, "");
  ASSERT_TRUE(readers.waitForFinished(30000));
  EXPECT_EQ(readers.exitCode(), 0);
  EXPECT_EQ(savedSeconds(), saved);
  EXPECT_EQ(store.lastMarker()->subject, "Stop Work");
  EXPECT_TRUE(has(readBytes(exported), "\"Stop Work\""));
  EXPECT_EQ(store.check(), "ok");
}

// A window killed while timing left its timer; the next window offers to finish it. A signal
// that ends the program while that prompt is open is not lost: the prompt closes unanswered
// ("Later": the timer is offered again next time) and the program ends at once.
TEST_F(WindowProcessTest, AnEndingSignalWhileTheRecoveryPromptIsOpenEndsTheProgram) {
  for (const int signalNumber : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    commandLine.reloadTasks();
    commandLine.start("Alpha");
    RunningTimer lost = store.timer();
    lost.ownerPid = ProcessIdentity::self().pid;
    lost.ownerStart = 1;  // a process of this id that is gone
    store.setTimer(lost);
    lost = store.timer();
    QProcess prompted;
    startOn(prompted, QProcess::ForwardedErrorChannel);
    QByteArray said;
    while (!said.contains("shown: Unfinished Timing") && prompted.waitForReadyRead(20000))
      said += prompted.readAllStandardOutput();
    ASSERT_TRUE(said.contains("shown: Unfinished Timing")) << said.toStdString();
    ::kill(static_cast<pid_t>(prompted.processId()), signalNumber);
    ASSERT_TRUE(prompted.waitForFinished(10000));
    EXPECT_EQ(prompted.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(prompted.exitCode(), 0);
    EXPECT_EQ(store.timer().generation, lost.generation);
    EXPECT_TRUE(UnfinishedWork::orphanedTimer(store, ProcessIdentity::self()));
  }
}

}  // namespace
}  // namespace tw::test

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "core/Markers.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/TempFolder.h"

namespace tw::test {
namespace {

// Seconds of the run: TALLYWORKS_MARKER_RUN_SECONDS (120 for the measured run), else a short
// run for every suite.
int runSeconds() {
  const char* given = std::getenv("TALLYWORKS_MARKER_RUN_SECONDS");
  return given && std::atoi(given) > 0 ? std::atoi(given) : 6;
}

// Eight command-line loops of start, stop, pause and last beside a window that a busy user
// clicks: whatever the interleaving, the work markers alternate, "Start Work" first, in the
// order written and in start order, and the store stays sound.
TEST(MarkerRunTest, ParallelStartsAndStopsLeaveStrictlyAlternatingMarkers) {
  if (!QFileInfo(TW_TALLYWORKS).isExecutable()) GTEST_SKIP() << "tallyworks is not built";
  TempFolder folder;
  const std::string path = folder.file("store.db"), stop = folder.file("stop");
  {
    SqliteJournalStore store(path);
    for (const char* subject : {"Alpha", "Beta", "Gamma"})
      store.addTask(Task{0, "", subject, "", TaskStatus::NotStarted, 0});
  }
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.file("config")));
  QProcess window;
  window.setProcessEnvironment(environment);
  window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  window.start(TW_WINDOW_PROCESS,
               {QString::fromStdString(path), "--click-for", QString::number(runSeconds())});
  ASSERT_TRUE(window.waitForStarted());
  // Each loop goes through its own turn of the steps; it counts the commands that ran and
  // those that failed (a store busy for longer than a command waits).
  const QString loop = QStringLiteral(
      "i=$3; ran=0; failed=0; while [ ! -e \"$2\" ]; do"
      " case $((i % 7)) in 0) set -- \"$1\" \"$2\" \"$3\" start Alpha;;"
      " 1) set -- \"$1\" \"$2\" \"$3\" stop;; 2) set -- \"$1\" \"$2\" \"$3\" start Beta;;"
      " 3) set -- \"$1\" \"$2\" \"$3\" pause;; 4) set -- \"$1\" \"$2\" \"$3\" last;;"
      " 5) set -- \"$1\" \"$2\" \"$3\" stop;; *) set -- \"$1\" \"$2\" \"$3\" start Gamma;; esac;"
      " \"$0\" --store \"$1\" \"$4\" $5 >/dev/null 2>&1 || failed=$((failed+1));"
      " ran=$((ran+1)); i=$((i+1)); done; echo \"$ran $failed\"");
  std::vector<std::unique_ptr<QProcess>> loops;
  for (int n = 0; n < 8; ++n) {
    auto& p = loops.emplace_back(std::make_unique<QProcess>());
    p->setProcessEnvironment(environment);
    p->start("/bin/sh", {"-c", loop, TW_TALLYWORKS, QString::fromStdString(path),
                         QString::fromStdString(stop), QString::number(n)});
    ASSERT_TRUE(p->waitForStarted());
  }
  ASSERT_TRUE(window.waitForFinished((runSeconds() + 60) * 1000));
  writeBytes(stop, "");
  int commands = 0, failures = 0;
  for (auto& p : loops) {
    ASSERT_TRUE(p->waitForFinished(60000));
    const QStringList counts = QString::fromUtf8(p->readAllStandardOutput()).split(' ');
    commands += counts.value(0).toInt();
    failures += counts.value(1).toInt();
  }
  const QString said = QString::fromUtf8(window.readAllStandardOutput());
  EXPECT_EQ(window.exitCode(), 0) << said.toStdString();

  SqliteJournalStore store(path);
  std::vector<std::string> written, inStartOrder;
  store.visitAll([&](const JournalEntry& e) {
    if (Markers::isMarker(e)) written.push_back(e.subject);
    return true;
  });
  store.readDays({}, {}, [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch)
      if (Markers::isMarker(e)) inStartOrder.push_back(e.subject);
  });
  int doubles = 0;
  for (std::size_t i = 0; i < written.size(); ++i) {
    const std::string expected(i % 2 == 0 ? Markers::kStartSubject : Markers::kStopSubject);
    if (written[i] != expected) ++doubles;
  }
  EXPECT_EQ(doubles, 0);
  EXPECT_EQ(inStartOrder, written);
  EXPECT_GT(written.size(), 2u);
  EXPECT_EQ(store.check(), "ok");
  std::cout << "marker run: " << runSeconds() << " s, " << commands << " commands (" << failures
            << " failed), window " << said.section("clicks: ", 1).trimmed().toStdString()
            << " clicks, " << said.count("message: ") << " messages; " << written.size()
            << " markers, " << doubles << " out of turn\n";
}

}  // namespace
}  // namespace tw::test

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/store/BigJournal.h"
#include "model/ManualClock.h"
#include "store/Items.h"
#include "store/JournalBatch.h"
#include "store/JournalItem.h"
#include "store/TaskItem.h"
#include "tests/support/FakeWindowServices.h"
#include "tracking/frmMain.h"

namespace tw::bench {
namespace {

constexpr int kTasks = 500;

// A store of its own (the window writes to it): 500 open tasks and the 1M-item journal.
std::string trackingStore() {
  std::string path =
      (std::filesystem::temp_directory_path() / "tallyworks-bench-tracking-1m.db").string();
  if (std::filesystem::exists(path)) return path;
  {
    Application app(path + ".part");
    NameSpace mapi = app.GetNamespace("MAPI");
    Items tasks = mapi.GetDefaultFolder(olFolderTasks).Items();
    for (int i = 0; i < kTasks; ++i) {
      auto task = asTaskItem(tasks.Add(olTaskItem));
      task->setSubject("Task " + std::to_string(i));
      task->setCategories("Category " + std::to_string(i % 12));
      task->Save();
    }
    JournalBatch batch(mapi.GetDefaultFolder(olFolderJournal));
    for (int i = 0; i < kBigJournal; ++i) batch.add(bigJournalEntry(i));
    batch.commit();
  }
  for (const char* suffix : {"", "-wal", "-shm"}) {
    if (std::filesystem::exists(path + ".part" + suffix)) {
      std::filesystem::rename(path + ".part" + suffix, path + suffix);
    }
  }
  return path;
}

// After the last item of the big journal.
DateTime benchNow() {
  return DateTime::fromParts(2080, 1, 1, 9, 0, 0);
}

struct LoadedWindow {
  LoadedWindow() : clock(benchNow()) {
    Application::setDefaultStorePath(trackingStore());
    window = std::make_unique<frmMain>(fake.services);
    window->Timer1->stop();
    window->Form_Load();
    window->lstTasks->setCurrentIndex(window->lstTasks->findText("Task 7"));
    window->lstTasks_Click();
  }
  ManualClock clock;
  testing::FakeWindowServices fake;
  std::unique_ptr<frmMain> window;
};

// Start from the stopped state after a Stop: the marker scan, a start marker and the task
// entry saved, the entry's timer started.
void BM_StartOn1MJournal(benchmark::State& state) {
  LoadedWindow loaded;
  frmMain& w = *loaded.window;
  for (auto _ : state) {
    state.PauseTiming();
    w.btnStop_Click();
    loaded.clock.advance(600);
    state.ResumeTiming();
    w.btnStart_Click();
  }
  if (!loaded.fake.messages.messages.empty() || !w.tracking) state.SkipWithError("start failed");
  w.btnStop_Click();
}
BENCHMARK(BM_StartOn1MJournal)->Unit(benchmark::kMillisecond)->Iterations(50);

// The part of a Start that reads: the newest work marker of the 1M-item journal.
void BM_MarkerScanOn1MJournal(benchmark::State& state) {
  LoadedWindow loaded;
  for (auto _ : state) benchmark::DoNotOptimize(loaded.window->lastTWEventIsStop());
  if (!loaded.fake.messages.messages.empty()) state.SkipWithError("scan failed");
}
BENCHMARK(BM_MarkerScanOn1MJournal)->Unit(benchmark::kMillisecond);

// A tick while tracking, when no save is due.
void BM_TickWithoutSave(benchmark::State& state) {
  LoadedWindow loaded;
  frmMain& w = *loaded.window;
  w.btnStart_Click();
  for (auto _ : state) w.Timer1_Timer();
  if (!loaded.fake.messages.messages.empty() || !w.tracking ||
      w.statusPanel2->text() != "Category 7") {
    state.SkipWithError("tick failed");
  }
  w.btnStop_Click();
}
BENCHMARK(BM_TickWithoutSave)->Unit(benchmark::kMicrosecond);

// From creating the window to showing it: controls, the task list of 500 tasks read from
// the store of 1M journal items, the stopped state, the first paint.
void BM_WindowShown(benchmark::State& state) {
  ManualClock clock(benchNow());
  Application::setDefaultStorePath(trackingStore());
  testing::FakeWindowServices fake;
  for (auto _ : state) {
    frmMain w(fake.services);
    w.Form_Load();
    w.show();
    QCoreApplication::processEvents();
    if (w.lstTasks->count() != kTasks + 1) state.SkipWithError("tasks missing");
    state.PauseTiming();
    w.close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowShown)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace tw::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

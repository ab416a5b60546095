// iCalendar files of the big journal's entries (and its 40 tasks), as `tallyworks ical export`
// writes them, imported into an empty store: the time grows in proportion to the items.
// "export s" is the time the export of the same items took.
#include <benchmark/benchmark.h>

#include <chrono>

#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"
#include "support/BigJournal.h"
#include "sync/IcalFile.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

void IcalImport(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  test::TempFolder folder;
  const std::string file = folder.file("journal.ics");
  double exportSeconds = 0;
  {
    SqliteJournalStore source(folder.file("source.db"));
    SqliteSyncState sourceState(source);
    source.transact([&] {
      for (int t = 0; t < 40; ++t) {
        Task task;
        task.subject = "Task " + std::to_string(t);
        source.addTask(task);
      }
      for (int i = 0; i < entries; ++i) source.addEntry(bench::bigJournalEntry(i));
    });
    const auto start = std::chrono::steady_clock::now();
    IcalFile::write(source, sourceState, file, {{}, {}, true, false});
    exportSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string path = folder.file("import" + std::to_string(run++) + ".db");
    SqliteJournalStore store(path);
    SqliteSyncState syncState(store);
    state.ResumeTiming();
    const IcalFile::ImportResult r = IcalFile::read(store, syncState, file);
    if (r.added != entries + 40) state.SkipWithError(r.summary().c_str());
  }
  state.counters["items/s"] = benchmark::Counter(static_cast<double>(entries + 40),
                                                 benchmark::Counter::kIsIterationInvariantRate);
  state.counters["export s"] = exportSeconds;
}
BENCHMARK(IcalImport)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(300000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tw

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "app/JournalLines.h"
#include "bench/store/BigJournal.h"
#include "store/Items.h"
#include "store/JournalItem.h"
#include "store/JournalReader.h"

namespace tw::bench {
namespace {

MAPIFolder journalOf(Application& app) {
  return app.GetNamespace("MAPI").GetDefaultFolder(olFolderJournal);
}

// Every item with its seven properties, as a report reads them.
void BM_ReadWholeJournal(benchmark::State& state) {
  Application app(bigStore());
  for (auto _ : state) {
    std::size_t n = JournalReader(journalOf(app)).read([](std::shared_ptr<JournalEntry> e) {
      benchmark::DoNotOptimize(e);
    });
    if (n != kBigJournal) state.SkipWithError("wrong count");
  }
  state.SetItemsProcessed(state.iterations() * kBigJournal);
}
BENCHMARK(BM_ReadWholeJournal)->Unit(benchmark::kMillisecond);

// The newest work marker, the way the start of tracking looks for it.
void BM_NewestMarker(benchmark::State& state) {
  for (auto _ : state) {
    Application app(bigStore());
    Items items = journalOf(app).Items();
    items.Sort("[Start]", true);
    Items markers = items.Restrict("[Type] = 'TWEvent'");
    if (markers.Count() == 0) state.SkipWithError("no marker");
    benchmark::DoNotOptimize(markers.Item(1)->Subject());
  }
}
BENCHMARK(BM_NewestMarker)->Unit(benchmark::kMillisecond);

// A newest-first walk, as the Last command makes: Count, Sort, Count, then Item(i) until a
// subject names a task; here the task is 200 items back.
void BM_NewestFirstWalk(benchmark::State& state) {
  for (auto _ : state) {
    Application app(bigStore());
    Items items = journalOf(app).Items();
    items.Count();
    items.Sort("[Start]", true);
    const long count = items.Count();
    long i = 1;
    while (i <= count && items.Item(i)->Subject() != "Task 1") ++i;
    benchmark::DoNotOptimize(i);
  }
}
BENCHMARK(BM_NewestFirstWalk)->Unit(benchmark::kMillisecond);

// The import of the command line: parsing and storing 1M JSON lines.
void BM_Import(benchmark::State& state) {
  std::ostringstream lines;
  for (int i = 0; i < kBigJournal; ++i) lines << JournalLines::format(bigJournalEntry(i)) << '\n';
  const std::string input = lines.str();
  const std::string path =
      (std::filesystem::temp_directory_path() / "tallyworks-bench-import.db").string();
  for (auto _ : state) {
    state.PauseTiming();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    state.ResumeTiming();
    std::istringstream in(input);
    std::ostringstream out, err;
    CommandLine commandLine(in, out, err);
    if (commandLine.run({"--store", path, "journal", "import", "-"}) != 0)
      state.SkipWithError("import failed");
  }
  state.SetItemsProcessed(state.iterations() * kBigJournal);
}
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(1);

void runReport(benchmark::State& state, std::vector<std::string> args) {
  const std::string store = bigStore();
  args.insert(args.begin(), {"--store", store});
  for (auto _ : state) {
    std::istringstream in;
    std::ostringstream out, err;
    CommandLine commandLine(in, out, err);
    if (commandLine.run(args) != 0) state.SkipWithError("command failed");
    benchmark::DoNotOptimize(out.str().size());
  }
}

void BM_ReportCommand(benchmark::State& state) {
  runReport(state, {"report"});
}
BENCHMARK(BM_ReportCommand)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CsvCommandOneYear(benchmark::State& state) {
  runReport(state, {"csv", "--from", "1/1/2021", "--to", "12/31/2021"});
}
BENCHMARK(BM_CsvCommandOneYear)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace tw::bench

BENCHMARK_MAIN();

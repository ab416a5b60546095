// A Timewarrior export of 100,000 intervals (made in the temporary folder, as `timew export`
// writes it: one interval a line, 40 tags in all, an annotation on every tenth) imported into a
// new store through the command line, and imported a second time (nothing changes). Goal:
// <= 5 s for the first.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CommandLine.h"
#include "store/sqlite/SqliteStoreOpener.h"

namespace tw {
namespace {

constexpr int kIntervals = 100'000;

std::string folder() {
  static const std::string path = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tw-import-bench-XXXXXX");
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  return path;
}

std::string exportFile() {
  static const std::string path = [] {
    std::string file = folder() + "/export.json";
    std::ofstream out(file);
    out << "[\n";
    std::int64_t start = 1'420'070'400;  // 2015-01-01 00:00 UTC
    for (int i = 0; i < kIntervals; ++i) {
      char from[32], to[32];
      const auto utc = [](std::int64_t t, char* text) {
        const time_t seconds = static_cast<time_t>(t);
        tm parts{};
        gmtime_r(&seconds, &parts);
        std::strftime(text, 32, "%Y%m%dT%H%M%SZ", &parts);
      };
      utc(start, from);
      utc(start + 1500 + i % 600, to);
      out << "{\"id\":" << kIntervals - i << ",\"start\":\"" << from << "\",\"end\":\"" << to
          << "\",\"tags\":[\"Project " << i % 40 << "\",\"client:Acme\"]";
      if (i % 10 == 0) out << ",\"annotation\":\"Proof round " << i << "\"";
      out << "}" << (i + 1 < kIntervals ? ",\n" : "\n");
      start += 3600;
    }
    out << "]\n";
    return file;
  }();
  return path;
}

int runImport(const std::string& store) {
  const SqliteStoreOpener opener;
  std::istringstream in;
  std::ostringstream out, err;
  return CommandLine(in, out, err, opener)
      .run({"--store", store, "import", "--from", "timewarrior", exportFile()});
}

void FirstImport(benchmark::State& state) {
  const std::string store = folder() + "/first.db";
  for (auto _ : state) {
    state.PauseTiming();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(store + suffix);
    state.ResumeTiming();
    if (runImport(store) != 0) state.SkipWithError("the import failed");
  }
  state.counters["intervals/s"] =
      benchmark::Counter(kIntervals, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(FirstImport)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void SecondImport(benchmark::State& state) {
  const std::string store = folder() + "/second.db";
  if (runImport(store) != 0) state.SkipWithError("the import failed");
  for (auto _ : state)
    if (runImport(store) != 0) state.SkipWithError("the import failed");
}
BENCHMARK(SecondImport)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
}  // namespace tw

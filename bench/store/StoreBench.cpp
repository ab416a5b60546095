// The store's reads on the 1,000,000-entry journal (made in the temporary folder on first use).
#include <benchmark/benchmark.h>

#include "support/BigJournal.h"

namespace tw {
namespace {

SqliteJournalStore& big() {
  static SqliteJournalStore store(bench::bigStore());
  return store;
}

void ReadRange(benchmark::State& state) {
  const DateTime first = DateTime::fromParts(2025, 1, 1);
  const DateTime last = first.addDays(static_cast<double>(state.range(0) - 1));
  for (auto _ : state) {
    std::size_t n = 0;
    big().readDays(first, last, [&](JournalStore::EntryBatch b) { n += b.size(); });
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(ReadRange)->Arg(30)->Arg(365)->Arg(365 * 60)->Unit(benchmark::kMillisecond);

void OpenAndFindTheLastMarker(benchmark::State& state) {
  const std::string path = bench::bigStore();
  for (auto _ : state) {
    SqliteJournalStore store(path);
    benchmark::DoNotOptimize(store.lastMarker());
  }
}
BENCHMARK(OpenAndFindTheLastMarker)->Unit(benchmark::kMillisecond);

void NewestFirstWalkOfAThousand(benchmark::State& state) {
  for (auto _ : state) {
    int n = 0;
    big().visitNewestFirst([&](const JournalEntry&) { return ++n < 1000; });
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(NewestFirstWalkOfAThousand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw

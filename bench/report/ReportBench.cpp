// Report over synthetic journals: ten years of work days, about 30 categories, 200 subjects,
// a start and a stop marker every day. Run one size at a time to read its peak memory:
//   /usr/bin/time -v tw_report_bench --benchmark_filter=/1000000
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/DateText.h"
#include "model/JournalEntry.h"
#include "reporting/Report.h"

namespace {

using Journal = std::vector<std::shared_ptr<tw::JournalEntry>>;

constexpr int kDays = 3652;
const tw::DateTime kFirstDay = tw::DateTime::fromParts(2010, 1, 1);

std::shared_ptr<tw::JournalEntry> make(tw::DateTime start, std::int32_t minutes,
                                       std::string category, std::string subject,
                                       std::string type) {
  auto e = std::make_shared<tw::JournalEntry>();
  e->start = start;
  e->duration = minutes;
  e->Category = std::move(category);
  e->subject = std::move(subject);
  e->entrytype = std::move(type);
  return e;
}

// n entries in shuffled order, built once per size.
const Journal& journal(std::size_t n) {
  static std::map<std::size_t, Journal> built;
  Journal& j = built[n];
  if (!j.empty()) return j;
  std::mt19937 rng(7);
  std::vector<std::string> categories, subjects;
  for (int i = 0; i < 30; ++i) categories.push_back("Client " + std::to_string(i) + " work");
  for (int i = 0; i < 200; ++i) subjects.push_back("Task number " + std::to_string(i));
  j.reserve(n);
  const std::size_t perDay = std::max<std::size_t>(3, n / kDays) - 2;
  for (std::size_t day = 0; j.size() < n; day = (day + 1) % kDays) {
    const tw::DateTime morning = kFirstDay.addDays(static_cast<double>(day)).addSeconds(8 * 3600);
    j.push_back(make(morning, 0, "Tallyworks Start", "Start Work", "TWEvent"));
    for (std::size_t k = 0; k < perDay && j.size() < n; ++k) {
      const auto start = morning.addSeconds(60 + static_cast<std::int64_t>(rng() % 36000));
      j.push_back(make(start, static_cast<std::int32_t>(rng() % 180), categories[rng() % 30],
                       subjects[rng() % 200], rng() % 2 ? "Task" : "PJ_Task"));
    }
    if (j.size() < n) {
      j.push_back(
          make(morning.addSeconds(11 * 3600), 0, "Tallyworks Stop", "Stop Work", "TWEvent"));
    }
  }
  std::shuffle(j.begin(), j.end(), rng);
  return j;
}

void filled(tw::Report& r, const Journal& j) {
  for (const auto& e : j) r.Add(e);
}

void BM_AddAll(benchmark::State& state) {
  const Journal& j = journal(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    auto r = std::make_unique<tw::Report>();
    filled(*r, j);
    // Reading the entries puts them into start order: part of the cost of adding.
    benchmark::DoNotOptimize(r->Entries().data());
    state.PauseTiming();
    r.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GenerateWholeRange(benchmark::State& state) {
  const Journal& j = journal(static_cast<std::size_t>(state.range(0)));
  tw::Report r;
  filled(r, j);
  benchmark::DoNotOptimize(r.Entries().data());
  std::size_t bytes = 0;
  for (auto _ : state) {
    r.startdate.clear();
    r.enddate.clear();
    const std::string text = r.Generate();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["report_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_CsvOneYear(benchmark::State& state) {
  const Journal& j = journal(static_cast<std::size_t>(state.range(0)));
  tw::Report r;
  filled(r, j);
  benchmark::DoNotOptimize(r.Entries().data());
  r.startdate = "1/1/2015";
  r.enddate = "12/31/2015";
  for (auto _ : state) {
    const std::string text = r.CSV();
    benchmark::DoNotOptimize(text.data());
  }
}

}  // namespace

BENCHMARK(BM_AddAll)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateWholeRange)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvOneYear)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

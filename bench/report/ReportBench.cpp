// Reports over synthetic journals, in memory and from the 1,000,000-entry store (made in the
// temporary folder on first use). Run one case at a time to read its peak memory:
//   /usr/bin/time -v tw_report_bench --benchmark_filter=Store/Whole
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/DateText.h"
#include "core/TimeZone.h"
#include "report/CsvReport.h"
#include "report/ReportRun.h"
#include "report/TextReport.h"
#include "support/BigJournal.h"

namespace tw {
namespace {

constexpr int kDays = 3652;
const DateTime kFirstDay = DateTime::fromParts(2010, 1, 1);

JournalEntry make(DateTime start, std::int32_t minutes, std::string categories, std::string subject,
                  std::string type) {
  JournalEntry e;
  const TimeZone::Reading r = TimeZone::resolve(start);
  e.start = r.instant;
  e.utcOffset = r.offset;
  e.seconds = std::int64_t{minutes} * 60;
  e.categories = std::move(categories);
  e.subject = std::move(subject);
  e.type = std::move(type);
  return e;
}

// n entries in start order over ten years, with the category names given.
std::vector<JournalEntry> journal(std::size_t n, const std::vector<std::string>& categories) {
  std::mt19937 rng(7);
  std::vector<JournalEntry> j;
  j.reserve(n);
  const std::size_t perDay = std::max<std::size_t>(3, n / kDays) - 2;
  for (std::size_t day = 0; j.size() < n; ++day) {
    const DateTime morning =
        kFirstDay.addDays(static_cast<double>(day % kDays)).addSeconds(8 * 3600);
    j.push_back(make(morning, 0, "Tallyworks Start", "Start Work", "TWEvent"));
    for (std::size_t k = 0; k < perDay && j.size() < n; ++k) {
      const auto start = morning.addSeconds(60 + static_cast<std::int64_t>(k * 60));
      j.push_back(
          make(start, static_cast<std::int32_t>(rng() % 180), categories[rng() % categories.size()],
               "Task number " + std::to_string(rng() % 200), rng() % 2 ? "Task" : "PJ_Task"));
    }
    if (j.size() < n)
      j.push_back(
          make(morning.addSeconds(11 * 3600), 0, "Tallyworks Stop", "Stop Work", "TWEvent"));
  }
  return j;
}

std::vector<std::string> clients(int n) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) names.push_back("Client " + std::to_string(i) + " work");
  return names;
}

// The journal of each size, made once per process.
const std::vector<JournalEntry>& journalOf(std::size_t n) {
  static std::map<std::size_t, std::vector<JournalEntry>> made;
  auto it = made.find(n);
  if (it == made.end()) it = made.emplace(n, journal(n, clients(30))).first;
  return it->second;
}

template <typename Report>
void render(benchmark::State& state, const std::vector<JournalEntry>& entries,
            const ReportRequest& request) {
  for (auto _ : state) {
    if constexpr (std::is_same_v<Report, TextReport>) {
      std::size_t bytes = 0;
      TextReport report(request, [&](std::string_view piece) { bytes += piece.size(); });
      for (const JournalEntry& e : entries) report.add(e);
      report.finish();
      benchmark::DoNotOptimize(bytes);
    } else {
      Report report(request);
      for (const JournalEntry& e : entries) report.add(e);
      benchmark::DoNotOptimize(report.finish());
    }
  }
}

void Generate(benchmark::State& state) {
  render<TextReport>(state, journalOf(static_cast<std::size_t>(state.range(0))), ReportRequest{});
}
BENCHMARK(Generate)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void Csv(benchmark::State& state) {
  render<CsvReport>(state, journalOf(static_cast<std::size_t>(state.range(0))),
                    ReportRequest::typed("", "1/1/2010", "12/31/2019"));
}
BENCHMARK(Csv)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// 100,000 entries of 5,000 names holding wildcard characters: names are never patterns, so
// this costs what plain names cost (goal: < 0.5 s).
void ManyNamesWithWildcardCharacters(benchmark::State& state) {
  std::vector<std::string> names;
  names.reserve(5000);
  for (int i = 0; i < 5000; ++i)
    names.push_back("Ticket #" + std::to_string(i) + " [*?] " + std::to_string(i % 7));
  static const auto entries = journal(100000, names);
  render<TextReport>(state, entries, ReportRequest{});
}
BENCHMARK(ManyNamesWithWildcardCharacters)->Unit(benchmark::kMillisecond);

// From the 1,000,000-entry store, the store read overlapping the making of the report, whose
// text is counted as it comes.
void Store(benchmark::State& state, const ReportRequest& request, bool csv) {
  SqliteJournalStore store(bench::bigStore());
  for (auto _ : state) {
    std::size_t bytes = 0;
    const ReportSink count = [&](std::string_view piece) { bytes += piece.size(); };
    csv ? ReportRun::writeCsv(store, request, count) : ReportRun::writeText(store, request, count);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK_CAPTURE(Store, Month, ReportRequest::typed("", "11/1/2025", "11/30/2025"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Store, Year, ReportRequest::typed("", "1/1/2025", "12/31/2025"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Store, CsvYear, ReportRequest::typed("", "1/1/2025", "12/31/2025"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Store, Whole, ReportRequest{}, false)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw

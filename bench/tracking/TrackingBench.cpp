// Tracking on the 1,000,000-entry journal: a Start (marker decision, two entries written, the
// timer set, each a synced transaction) and a tick without a save.
#include <benchmark/benchmark.h>

#include "core/DateText.h"
#include "core/SystemClock.h"
#include "support/BigJournal.h"
#include "tracking/JournalProblems.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

void StartAndStop(benchmark::State& state) {
  SqliteJournalStore store(bench::bigStore());
  SystemClock clock;
  TrackingSession session(store, clock, ProcessIdentity::self(), EntryTypeRule(""));
  session.reloadTasks();
  session.attach();
  for (auto _ : state) {
    session.start("Task 7");
    state.PauseTiming();
    session.stop();
    state.ResumeTiming();
  }
}
BENCHMARK(StartAndStop)->Unit(benchmark::kMillisecond);

void TickWithoutSave(benchmark::State& state) {
  SqliteJournalStore store(bench::bigStore());
  SystemClock clock;
  TrackingSession session(store, clock, ProcessIdentity::self(), EntryTypeRule(""));
  session.reloadTasks();
  session.start("Task 7");
  for (auto _ : state) benchmark::DoNotOptimize(session.tick());
  session.stop();
}
BENCHMARK(TickWithoutSave)->Unit(benchmark::kMicrosecond);

// A journal entry's text dropped on the window, naming an entry in the middle of the journal.
void DropAnEntry(benchmark::State& state) {
  SqliteJournalStore store(bench::bigStore());
  SystemClock clock;
  TrackingSession session(store, clock, ProcessIdentity::self(), EntryTypeRule(""));
  session.reloadTasks();
  const JournalEntry e = bench::bigJournalEntry(bench::kBigJournal / 2 + 1);
  std::string when = DateText::generalDate(e.localStart());  // h:mm:00 AM, shown as h:mm AM
  when.replace(when.rfind(":00 "), 4, " ");
  const std::string text = e.subject + " " + when;
  for (auto _ : state) {
    if (!session.drop(text)) state.SkipWithError("the dropped entry was not found");
  }
}
BENCHMARK(DropAnEntry)->Unit(benchmark::kMillisecond);

// What `check` reads for billing: the whole journal, day by day (every other entry of the big
// journal overlaps the next one: the problems are many, the memory stays the same).
void JournalProblemsOfTheWholeJournal(benchmark::State& state) {
  SqliteJournalStore store(bench::bigStore());
  SystemClock clock;
  for (auto _ : state) {
    std::int64_t found = 0;
    JournalProblems::scan(store, std::nullopt, std::nullopt, clock.now(),
                          [&](const JournalProblems::Problem&) { ++found; });
    state.counters["problems"] = static_cast<double>(found);
  }
}
BENCHMARK(JournalProblemsOfTheWholeJournal)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace tw

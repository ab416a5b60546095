// A client's bill for a month and the timesheet of a week, end to end on the 1,000,000-entry
// store (made in the temporary folder on first use): reading the days, the clients and rates,
// pricing, and writing the bill as text. Goals: a month's bill within 30 ms, a week's
// timesheet within 50 ms.
#include <benchmark/benchmark.h>

#include "billing/BillBuilder.h"
#include "billing/BillText.h"
#include "billing/ClientBook.h"
#include "billing/TimesheetBuilder.h"
#include "store/sqlite/SqliteBillingStore.h"
#include "support/BigJournal.h"

namespace tw {
namespace {

// The big store's twelve categories, each a client with a rate, rounding to 6 minutes.
SqliteJournalStore& store() {
  static SqliteJournalStore big(bench::bigStore());
  static const bool clients = [] {
    SqliteBillingStore billing(big);
    if (billing.clients().empty()) {
      ClientBook book(big, billing);
      for (int c = 0; c < 12; ++c) {
        ClientBook::Change terms;
        terms.rate = std::to_string(80 + c);
        terms.currency = "EUR";
        terms.roundMinutes = 6;
        book.add("Category " + std::to_string(c), terms);
      }
    }
    return true;
  }();
  (void)clients;
  return big;
}

void MonthBill(benchmark::State& state) {
  SqliteJournalStore& journal = store();
  SqliteBillingStore billing(journal);
  const BillRequest request{"Category 3", bench::bigJournalDay(2020, 3, 1),
                            bench::bigJournalDay(2020, 3, 31), BillRequest::Per::Day};
  std::size_t bytes = 0;
  for (auto _ : state) {
    const Bill bill = BillBuilder(journal, billing).build(request);
    bytes += BillText::write(bill, MoneyFormat::plain()).size();
  }
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(MonthBill)->Unit(benchmark::kMillisecond);

void TimesheetWeek(benchmark::State& state) {
  SqliteJournalStore& journal = store();
  SqliteBillingStore billing(journal);
  std::int64_t total = 0;
  for (auto _ : state)
    total += TimesheetBuilder(journal, billing).week(bench::bigJournalDay(2020, 3, 11)).total;
  benchmark::DoNotOptimize(total);
}
BENCHMARK(TimesheetWeek)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw

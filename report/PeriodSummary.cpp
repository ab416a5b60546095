#include "report/PeriodSummary.h"

#include "core/Markers.h"
#include "store/JournalStore.h"

namespace tw {

PeriodSummary PeriodSummary::read(JournalStore& store, DateTime first, int dayCount) {
  PeriodSummary summary(first.date(), dayCount);
  store.readDays(summary.first_, summary.day(dayCount - 1), [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch)
      if (Markers::countsAsWork(e))
        summary.totals_.add(e.localStart().date(), e.categories, e.minutes());
  });
  return summary;
}

std::int32_t PeriodSummary::minutes(std::size_t category, int day) const {
  return totals_.minutes(category, this->day(day));
}

std::int64_t PeriodSummary::totalMinutes() const {
  std::int64_t total = 0;
  for (const CategoryTotals::Total& c : categories()) total += c.minutes;
  return total;
}

}  // namespace tw

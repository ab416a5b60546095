#include "report/PeriodSummary.h"

#include "core/Instant.h"
#include "core/Markers.h"
#include "store/JournalStore.h"

namespace tw {
namespace {

// UTC offsets lie between -12 and +14 hours; an hour more either way is kept for safety.
constexpr std::int32_t kMostEast = 15 * 3600;
constexpr std::int32_t kMostWest = -13 * 3600;

}  // namespace

PeriodSummary PeriodSummary::read(JournalStore& store, DateTime first, int dayCount) {
  PeriodSummary summary(first.date(), dayCount);
  const DateTime until = summary.day(dayCount);
  store.readEntries(Instant::fromLocal(summary.first_, kMostEast),
                    Instant::fromLocal(until, kMostWest), [&](JournalStore::EntryBatch batch) {
                      for (const JournalEntry& e : batch) {
                        const DateTime day = e.localStart().date();
                        if (day < summary.first_ || !(day < until) ||
                            Markers::isMarkerText(e.type) || Markers::isMarkerText(e.categories))
                          continue;
                        summary.totals_.add(day, e.categories, e.minutes());
                      }
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

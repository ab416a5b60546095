#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/CategoryTotals.h"
#include "core/DailyTotals.h"
#include "core/DateTime.h"

namespace tw {

class JournalStore;

// Minutes of work per category and day over a run of local days: what the summary charts
// show. An entry counts on the day of its local start, as far as it counts as work
// (Markers::countsAsWork).
class PeriodSummary {
 public:
  // Reads the entries of the dayCount days from first's day on (at least one).
  // Throws StoreError when the store fails.
  static PeriodSummary read(JournalStore& store, DateTime first, int dayCount);

  int dayCount() const { return dayCount_; }
  DateTime day(int i) const { return first_.addDays(i); }
  // Categories in order of first appearance, each with its total over the period.
  const std::vector<CategoryTotals::Total>& categories() const { return totals_.categories(); }
  std::int32_t minutes(std::size_t category, int day) const;
  std::int64_t totalMinutes() const;

 private:
  PeriodSummary(DateTime first, int dayCount) : first_(first), dayCount_(dayCount) {}

  DateTime first_;
  int dayCount_ = 0;
  DailyTotals totals_;
};

}  // namespace tw

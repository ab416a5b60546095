#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "core/CategoryTotals.h"
#include "core/DateTime.h"

namespace tw {

// Minutes per category and day: the cells of the CSV table. Categories are named as in
// CategoryTotals, in order of first addition.
class DailyTotals {
 public:
  void add(DateTime day, std::string_view category, std::int64_t minutes);
  const std::vector<CategoryTotals::Total>& categories() const { return names_.all(); }
  // Whole minutes of the category (by position) on the day, 0 without any. Throws
  // std::overflow_error beyond the 32-bit range.
  std::int32_t minutes(std::size_t category, DateTime day) const;

 private:
  CategoryTotals names_;
  // Per category: midnight of the day (seconds) -> minutes.
  std::vector<std::map<std::int64_t, std::int64_t>> cells_;
};

}  // namespace tw

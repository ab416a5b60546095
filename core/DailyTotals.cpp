#include "core/DailyTotals.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace tw {

void DailyTotals::add(DateTime day, std::string_view category, std::int64_t minutes) {
  const std::size_t at = names_.add(category, minutes);
  if (at == cells_.size()) cells_.emplace_back();
  cells_[at][day.seconds()] += minutes;
}

std::int32_t DailyTotals::minutes(std::size_t category, DateTime day) const {
  const auto& days = cells_[category];
  const auto it = days.find(day.seconds());
  if (it == days.end()) return 0;
  if (it->second < std::numeric_limits<std::int32_t>::min() ||
      it->second > std::numeric_limits<std::int32_t>::max())
    throw std::overflow_error("A day's total of " + std::to_string(it->second) +
                              " minutes for one category is more than a table can show");
  return static_cast<std::int32_t>(it->second);
}

}  // namespace tw

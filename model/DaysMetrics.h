#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/Category.h"
#include "model/DateTime.h"
#include "model/DaysMetric.h"
#include "model/Metrics.h"

namespace tw {

// Per-day Metrics filed under their date, and every category name met on any day.
class DaysMetrics {
 public:
  // Every name met in any added day, in order of first appearance (days as added; within a
  // day, its Metrics' order). A name is left out when an earlier one, taken as a textLike
  // pattern, matches it.
  const std::vector<Category>& categories() const { return categories_; }

  // Files cm (shared, not copied) under d; no check for an earlier record of the same day.
  void addDay(DateTime d, const std::shared_ptr<Metrics>& cm);
  // Whole minutes of the category on the first record whose day equals d exactly (time of day
  // included), 0 without one. Throws std::overflow_error beyond the 32-bit range.
  std::int32_t getMetric(DateTime d, std::string_view Category) const;

 private:
  bool known(const std::string& name) const;

  std::vector<Category> categories_;
  std::vector<DaysMetric> days;
  // The first record of each day.
  std::unordered_map<std::int64_t, std::size_t> firstOfDay_;
  // Folded names of the categories without wildcard characters, and the positions of those
  // with them (walked in full).
  std::unordered_set<std::u32string> plainKeys_;
  std::vector<std::size_t> patterned_;
};

}  // namespace tw

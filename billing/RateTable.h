#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/DateTime.h"
#include "store/Rate.h"

namespace tw {

// Which price per hour applies to a day's work on a task: the task's own rate in force that
// day, else its client's. A rate takes effect on its day, so a later change never re-prices
// time before it.
class RateTable {
 public:
  explicit RateTable(std::vector<Rate> rates);

  // Minor units per hour; none when neither the task nor the client has a rate that day.
  std::optional<std::int64_t> on(DateTime day, std::int64_t clientId,
                                 std::string_view taskUid) const;
  // The rates of one owner (a client's with an empty task uid), in order of their day.
  std::vector<Rate> of(std::int64_t clientId, std::string_view taskUid) const;

 private:
  static std::optional<std::int64_t> inForce(const std::vector<Rate>& rates, DateTime day);

  std::unordered_map<std::int64_t, std::vector<Rate>> byClient_;
  std::unordered_map<std::string, std::vector<Rate>> byTask_;
};

}  // namespace tw

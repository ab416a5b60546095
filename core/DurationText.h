#pragma once

#include <cstdint>
#include <string>

namespace tw {

// Whole minutes written for people and for spreadsheets.
class DurationText {
 public:
  // "0 minutes", "1 minutes", "1 hour", "1 hour, 1 minutes", "2 hours, 30 minutes".
  static std::string friendly(std::int32_t minutes);
  static void appendFriendly(std::string& out, std::int32_t minutes);
  // Hours rounded to two decimals: 90 -> 1.5, 20 -> 0.33, 1 -> 0.02.
  static double decimalHours(std::int32_t minutes);
};

}  // namespace tw

#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The terms billing shares with the settings, kept here so that both ask one list: the ISO 4217
// currencies known with the digits of their minor unit, the rounding increments offered, and
// the words for a rounding's direction and place and for a bill's lines.
class BillingTerms {
 public:
  // The digits of the currency's minor unit (2 for EUR, 0 for JPY, 3 for KWD); nothing for a
  // code not in the list. Upper case only.
  static std::optional<int> currencyDigits(std::string_view code);
  // Every code known, in alphabetical order.
  static const std::vector<std::string>& currencyCodes();
  // 0 (no rounding), 1, 5, 6, 10, 15, 30 and 60 minutes.
  static const std::vector<int>& roundingMinutes();
  // "up", "nearest", "down", in the order of RoundingRule::Mode.
  static const std::array<std::string_view, 3>& roundingModes();
  // "entry", "day" (each task per day), "total" (each task over the period), in the order of
  // RoundingRule::Place.
  static const std::array<std::string_view, 3>& roundingPlaces();
  // "task", "day", "entry": a bill's lines, in the order of BillRequest::Per.
  static const std::array<std::string_view, 3>& billLines();
};

}  // namespace tw

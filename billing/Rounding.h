#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/RoundingRule.h"

namespace tw {

// Rounding a length of seconds by a client's rule, and the rule's words on the command line.
class Rounding {
 public:
  // The increments offered: 1, 5, 6, 10, 15, 30 and 60 minutes (0: no rounding).
  static bool allowedMinutes(int minutes);
  // The length rounded to a multiple of the rule's increment in its direction; "nearest"
  // takes a half increment up. Lengths of 0 seconds stay 0.
  static std::int64_t apply(std::int64_t seconds, const RoundingRule& rule);

  // "up", "nearest", "down"; throws BillingError for other words.
  static RoundingRule::Mode parseMode(std::string_view word);
  // "entry", "day", "total"; throws BillingError for other words.
  static RoundingRule::Place parsePlace(std::string_view word);
  static std::string_view modeWord(RoundingRule::Mode mode);
  static std::string_view placeWord(RoundingRule::Place place);
  // For people: "15 min up, each task per day"; "none".
  static std::string describe(const RoundingRule& rule);
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <string_view>

namespace tw {

// The work markers: journal entries of their own type that open ("Start Work") and close
// ("Stop Work") a period of work, written about a minute before or after the moment they mark.
class Markers {
 public:
  static constexpr std::string_view kType = "TWEvent";
  static constexpr std::string_view kStartSubject = "Start Work";
  static constexpr std::string_view kStopSubject = "Stop Work";
  static constexpr std::string_view kStartCategories = "Tallyworks Start";
  static constexpr std::string_view kStopCategories = "Tallyworks Stop";
  static constexpr std::int64_t kShiftSeconds = 60;

  // True when a type or category text is exactly "Tallyworks Stop", "Tallyworks Start" or
  // "TWEvent": reports print such entries as events and give such categories no total.
  static bool isMarkerText(std::string_view text) {
    return text == kStopCategories || text == kStartCategories || text == kType;
  }
};

}  // namespace tw

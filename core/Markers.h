#pragma once

#include <string_view>

namespace tw {

// The work markers: journal entries of their own type that open ("Start Work") and close
// ("Stop Work") a period of work, at the moment they mark. (Stores written before seconds were
// kept hold markers a minute before or after that moment; they read as they stand.)
class Markers {
 public:
  static constexpr std::string_view kType = "TWEvent";
  static constexpr std::string_view kStartSubject = "Start Work";
  static constexpr std::string_view kStopSubject = "Stop Work";
  static constexpr std::string_view kStartCategories = "Tallyworks Start";
  static constexpr std::string_view kStopCategories = "Tallyworks Stop";

  // True when a type or category text is exactly "Tallyworks Stop", "Tallyworks Start" or
  // "TWEvent": reports print such entries as events and give such categories no total.
  static bool isMarkerText(std::string_view text) {
    return text == kStopCategories || text == kStartCategories || text == kType;
  }
};

}  // namespace tw

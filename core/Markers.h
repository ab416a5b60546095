#pragma once

#include <string_view>

#include "core/JournalEntry.h"

namespace tw {

// The work markers: journal entries of their own type that open ("Start Work") and close
// ("Stop Work") a period of work, at the moment they mark. (Stores written before seconds were
// kept hold markers a minute before or after that moment; they read as they stand.) What a
// marker is, and what counts as work, is decided here for every report, window and total.
class Markers {
 public:
  static constexpr std::string_view kType = "TWEvent";
  static constexpr std::string_view kStartSubject = "Start Work";
  static constexpr std::string_view kStopSubject = "Stop Work";
  static constexpr std::string_view kStartCategories = "Tallyworks Start";
  static constexpr std::string_view kStopCategories = "Tallyworks Stop";

  // True when a name is exactly "Tallyworks Stop", "Tallyworks Start" or "TWEvent" (letter case
  // included): the markers' names. A category of such a name gets no total and no row.
  static bool isMarkerName(std::string_view name) {
    return name == kStopCategories || name == kStartCategories || name == kType;
  }
  // An entry whose type is a marker's name is a work marker: reports print it as an event and
  // windows show it apart, without an end or minutes.
  static bool isMarker(const JournalEntry& entry) { return isMarkerName(entry.type); }
  // A marker opens a period of work unless it is a "Stop Work".
  static bool opensWork(const JournalEntry& marker) { return marker.subject != kStopSubject; }
  // An entry's minutes count as work (in a day's total, the summary, the journal window's
  // totals) unless it is a marker or its category is a marker's name.
  static bool countsAsWork(const JournalEntry& entry) {
    return !isMarker(entry) && !isMarkerName(entry.categories);
  }
};

}  // namespace tw

#pragma once

#include <optional>

#include "core/Instant.h"
#include "core/JournalEntry.h"
#include "store/JournalStore.h"

namespace tw {

// The work markers that frame periods of work: a "Start Work" opens one, a "Stop Work" closes
// it. Whether a period is open is decided by the marker written last, not by the markers'
// starts (which may be placed anywhere by hand), and inside the transaction that writes the
// next one: so markers alternate however many processes start and stop at once. A marker
// takes the instant of the action it marks; at equal instants the order of writing puts a
// "Start Work" before the entry started with it and a "Stop Work" after the entry it ends.
class WorkMarkers {
 public:
  explicit WorkMarkers(JournalStore& store) : store_(store) {}

  // True while the marker written last is a "Start Work".
  bool open() { return openedBy().has_value(); }
  // The marker that opened the period of work that is open, or nothing.
  std::optional<JournalEntry> openedBy();
  // Writes a "Start Work" at the instant unless a period is open; true when written.
  bool openAt(Instant at);
  // Writes a "Stop Work" at the instant when a period is open; true when written.
  bool closeAt(Instant at);
  // A marker at the instant, under the UTC offset in force here then.
  static JournalEntry marker(bool opening, Instant at);

 private:
  JournalStore& store_;
};

}  // namespace tw

#pragma once

#include <cstdint>

#include "core/DateTime.h"
#include "store/JournalStore.h"

namespace tw {

// The minutes of work of a local day, as the main window's title and the tray show today's:
// the entries whose local start lies on the day (JournalStore::readDays), as far as they count
// as work (Markers::countsAsWork), the entry being timed counted at its minutes now. An entry
// timed since the day before counts on that day, as in every report.
class DayTotal {
 public:
  // Reads the day's entries; timedId names the entry being timed (0 for none). Throws
  // StoreError when the store cannot be read.
  static DayTotal read(JournalStore& store, DateTime day, std::int64_t timedId);

  // The total, the entry being timed counted at timedMinutes when it began on the day.
  std::int64_t minutes(std::int64_t timedMinutes) const {
    return otherMinutes_ + (timedOnDay_ ? timedMinutes : 0);
  }

 private:
  std::int64_t otherMinutes_ = 0;
  bool timedOnDay_ = false;
};

}  // namespace tw

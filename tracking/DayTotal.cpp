#include "tracking/DayTotal.h"

#include "core/Markers.h"

namespace tw {

DayTotal DayTotal::read(JournalStore& store, DateTime day, std::int64_t timedId) {
  DayTotal total;
  store.readDays(day, day, [&](JournalStore::EntryBatch batch) {
    for (const JournalEntry& e : batch) {
      if (!Markers::countsAsWork(e)) continue;
      if (e.id == timedId)
        total.timedOnDay_ = true;
      else
        total.otherMinutes_ += e.minutes();
    }
  });
  return total;
}

}  // namespace tw

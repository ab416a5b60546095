#include "tracking/PausedWork.h"

#include "core/Markers.h"
#include "tracking/WorkMarkers.h"

namespace tw {

std::optional<PausedWork> PausedWork::read(JournalStore& store) {
  if (store.timer().running()) return std::nullopt;
  const std::optional<JournalEntry> opened = WorkMarkers(store).openedBy();
  if (!opened) return std::nullopt;
  PausedWork pause{"", "", opened->start};
  store.visitNewestFirst([&](const JournalEntry& e) {
    if (e.start < opened->start) return false;
    if (e.type == Markers::kType) return true;
    pause = PausedWork{e.subject, e.categories, e.start.plus(e.seconds)};
    return false;
  });
  return pause;
}

}  // namespace tw

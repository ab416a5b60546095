#include "tracking/WorkMarkers.h"

#include "core/Markers.h"
#include "core/TimeZone.h"

namespace tw {

std::optional<JournalEntry> WorkMarkers::openedBy() {
  std::optional<JournalEntry> last = store_.lastMarker();
  if (last && !Markers::opensWork(*last)) last.reset();
  return last;
}

bool WorkMarkers::openAt(Instant at) {
  bool written = false;
  store_.transact([&] {
    if (open()) return;
    store_.addEntry(marker(true, at));
    written = true;
  });
  return written;
}

bool WorkMarkers::closeAt(Instant at) {
  bool written = false;
  store_.transact([&] {
    if (!open()) return;
    store_.addEntry(marker(false, at));
    written = true;
  });
  return written;
}

JournalEntry WorkMarkers::marker(bool opening, Instant at) {
  JournalEntry m;
  m.start = at;
  m.utcOffset = TimeZone::offsetAt(at);
  m.subject = opening ? Markers::kStartSubject : Markers::kStopSubject;
  m.categories = opening ? Markers::kStartCategories : Markers::kStopCategories;
  m.type = Markers::kType;
  return m;
}

}  // namespace tw

#include "tracking/UnfinishedWork.h"

#include "core/TimeZone.h"
#include "tracking/WorkMarkers.h"

namespace tw {

std::optional<RunningTimer> UnfinishedWork::orphanedTimer(JournalStore& store,
                                                          const ProcessIdentity& self) {
  const RunningTimer t = store.timer();
  if (!t.running() || t.detached()) return std::nullopt;
  const ProcessIdentity timedBy{t.ownerPid, t.ownerStart};
  if (timedBy == self || timedBy.alive()) return std::nullopt;
  return t;
}

std::optional<JournalEntry> UnfinishedWork::openDay(JournalStore& store, const Clock& clock) {
  if (store.timer().running()) return std::nullopt;
  const std::optional<JournalEntry> marker = WorkMarkers(store).openedBy();
  if (!marker) return std::nullopt;
  const Instant now = clock.now();
  if (!(marker->localStart().date() < TimeZone::toLocal(now).date())) return std::nullopt;
  std::optional<JournalEntry> newest;
  store.visitNewestFirst([&](const JournalEntry& e) {
    newest = e;
    return false;
  });
  return newest;
}

}  // namespace tw

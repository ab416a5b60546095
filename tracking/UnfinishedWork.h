#pragma once

#include <optional>

#include "core/Clock.h"
#include "core/JournalEntry.h"
#include "store/JournalStore.h"
#include "tracking/ProcessIdentity.h"

namespace tw {

// What an earlier run left unfinished, found when a window starts: a timer whose process is
// gone (killed, a power cut, closed while timing), or a day opened by "Start Work" and never
// closed before a new day began.
class UnfinishedWork {
 public:
  // The store's running timer, when the window process that timed it is gone.
  static std::optional<RunningTimer> orphanedTimer(JournalStore& store,
                                                   const ProcessIdentity& self);
  // The newest entry of a period of work opened on an earlier day than today and never closed
  // (a "Start Work" the marker written last, nothing timed), or nothing.
  static std::optional<JournalEntry> openDay(JournalStore& store, const Clock& clock);
};

}  // namespace tw

#pragma once

#include <optional>
#include <string>

#include "core/Instant.h"
#include "store/JournalStore.h"

namespace tw {

// A pause: a period of work is open and no timer runs. The task paused is the newest entry of
// the period that is not a marker, and the pause began where it ends; when nothing was timed
// in the period, the pause began at its "Start Work" and names no task.
class PausedWork {
 public:
  std::string subject;
  std::string categories;
  Instant since;

  // The store's pause, if it is paused.
  static std::optional<PausedWork> read(JournalStore& store);
};

}  // namespace tw

#pragma once

#include <algorithm>
#include <cstdint>

#include "core/Instant.h"

namespace tw {

// What the store says is being timed, so that every process on the store sees it. A run
// starts when an entry's timing starts or resumes; the entry's seconds are then its base
// seconds plus the real time passed since the run started.
class RunningTimer {
 public:
  // The entry being timed; 0 when nothing is.
  std::int64_t entryId = 0;
  Instant started;
  std::int64_t baseSeconds = 0;
  // The process timing it (its id and its start time, so that a reused id is not taken for
  // it); an owner id of 0 is a detached timer, started from the command line, that runs until
  // someone stops it.
  std::int64_t ownerPid = 0;
  std::int64_t ownerStart = 0;
  // Moves on with every start, stop, switch and save, so that a late save of a process that
  // missed a change cannot write.
  std::int64_t generation = 0;
  // The last time the entry's seconds were written.
  Instant savedAt;

  bool running() const { return entryId != 0; }
  bool detached() const { return ownerPid == 0; }
  std::int64_t secondsAt(Instant now) const {
    return baseSeconds + std::max<std::int64_t>(0, now.secondsSince(started));
  }
};

}  // namespace tw

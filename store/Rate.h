#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/DateTime.h"

namespace tw {

// A price per hour in minor units of the client's currency (cents, yen, fils), in force from a
// day on until the next rate of the same owner takes effect. A client's rate has an empty task
// uid; a task's rate overrides its client's.
struct Rate {
  // The client's row (for a client's rate), 0 for a task's.
  std::int64_t clientId = 0;
  // The task's uid (for a task's rate), empty for a client's.
  std::string taskUid;
  // Midnight of the first local day the rate prices; none: from the beginning.
  std::optional<DateTime> from;
  std::int64_t minorPerHour = 0;

  friend bool operator==(const Rate&, const Rate&) = default;
};

}  // namespace tw

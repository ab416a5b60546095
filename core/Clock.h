#pragma once

#include <cstdint>

#include "core/Instant.h"

namespace tw {

// The source of "now". Wall-clock time is an instant (UTC); elapsed time within a process is
// read from the steady clock, which never goes back and keeps counting while the machine is
// suspended.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Instant now() const = 0;
  virtual std::int64_t steadyMillis() const = 0;
};

}  // namespace tw

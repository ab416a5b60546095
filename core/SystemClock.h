#pragma once

#include "core/Clock.h"

namespace tw {

// The machine's clocks: the real-time clock and CLOCK_BOOTTIME.
class SystemClock : public Clock {
 public:
  Instant now() const override;
  std::int64_t steadyMillis() const override;
};

}  // namespace tw

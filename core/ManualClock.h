#pragma once

#include <cstdint>

#include "core/Clock.h"
#include "core/TimeZone.h"

namespace tw {

// A clock that moves only when told to, for tests and benchmarks.
class ManualClock : public Clock {
 public:
  explicit ManualClock(Instant start) : now_(start) {}
  // Starts at a local wall-clock reading of the machine's time zone.
  explicit ManualClock(DateTime local) : now_(TimeZone::fromLocal(local)) {}

  Instant now() const override { return now_; }
  std::int64_t steadyMillis() const override { return steady_; }

  // Time passes: both clocks move.
  void advance(std::int64_t seconds) {
    now_ = now_.plus(seconds);
    steady_ += seconds * 1000;
  }
  // The wall clock is set (by a person or NTP); the steady clock stays.
  void setWall(Instant t) { now_ = t; }
  void setLocal(DateTime local) { now_ = TimeZone::fromLocal(local); }

 private:
  Instant now_;
  std::int64_t steady_ = 0;
};

}  // namespace tw

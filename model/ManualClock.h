#pragma once

#include <cstdint>

#include "model/Clock.h"

namespace tw {

// A clock that moves only when told to; installs itself as the current clock for its life.
class ManualClock : public Clock {
 public:
  explicit ManualClock(DateTime start) : now_(start) { Clock::setCurrent(this); }
  ~ManualClock() override { Clock::setCurrent(nullptr); }
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;

  DateTime now() const override { return now_; }
  void set(DateTime t) { now_ = t; }
  void advance(std::int64_t seconds) { now_ = now_.addSeconds(seconds); }

 private:
  DateTime now_;
};

}  // namespace tw

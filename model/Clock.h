#pragma once

#include "model/DateTime.h"

namespace tw {

// The source of every "present date-time". The system clock is current unless a test
// installs another clock with setCurrent.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime now() const = 0;

  static const Clock& current();
  // nullptr restores the system clock. The clock must outlive its installation.
  static void setCurrent(const Clock* clock);
};

}  // namespace tw

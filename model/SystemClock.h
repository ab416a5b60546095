#pragma once

#include "model/Clock.h"

namespace tw {

// Local wall-clock time, whole seconds.
class SystemClock : public Clock {
 public:
  DateTime now() const override;
};

}  // namespace tw

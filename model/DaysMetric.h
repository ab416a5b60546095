#pragma once

#include <memory>

#include "model/DateTime.h"
#include "model/Metrics.h"

namespace tw {

// The totals of one day, shared with whoever built them.
class DaysMetric {
 public:
  DateTime day;
  std::shared_ptr<Metrics> metricsObject;
};

}  // namespace tw

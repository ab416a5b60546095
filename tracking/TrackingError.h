#pragma once

#include "core/Error.h"

namespace tw {

// A tracking step that cannot go on (no such task, no entry being timed), with a description
// for people.
class TrackingError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

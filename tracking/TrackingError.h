#pragma once

#include <stdexcept>

namespace tw {

// A tracking step that cannot go on (no such task, no entry being timed), with a description
// for people.
class TrackingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw

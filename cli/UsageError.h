#pragma once

#include <stdexcept>

namespace tw {

// A command given wrongly: a missing, malformed or contradictory argument. It is found before
// the store is touched, so nothing has changed; the program exits with the usage code.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw

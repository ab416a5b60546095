#pragma once

#include "core/Error.h"

namespace tw {

// A command given wrongly: a missing, malformed or contradictory argument. It is found before
// the store is touched, so nothing has changed; the program exits with the usage code.
class UsageError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

#pragma once

#include "core/Error.h"

namespace tw {

// A command given rightly that cannot do what it asks (no such task, a damaged store, input
// that cannot be taken in); the program exits with the failure code.
class CommandError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

#pragma once

#include <string>

#include "core/Error.h"

namespace tw {

// A date-time that cannot be represented or a date text that cannot be read.
class DateTimeError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

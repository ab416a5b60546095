#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// A date-time that cannot be represented or a date text that cannot be read.
class DateTimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw

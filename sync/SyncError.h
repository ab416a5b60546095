#pragma once

#include <stdexcept>

namespace tw {

// Every failure of the calendar synchronisation and of the iCalendar files: the description
// says in words a person understands what went wrong and, where it helps, what to do. It never
// holds a password.
class SyncError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw

#pragma once

#include "core/Error.h"

namespace tw {

// Every failure of the calendar synchronisation and of the iCalendar files: the description
// says in words a person understands what went wrong and, where it helps, what to do. It never
// holds a password.
class SyncError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

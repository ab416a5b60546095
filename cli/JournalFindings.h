#pragma once

#include "core/Error.h"

namespace tw {

// A check that found the store sound but journal entries to look at before billing (listed on
// standard output): the program exits with the findings code, which scripts tell apart from a
// failure.
class JournalFindings : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

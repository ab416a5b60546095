#pragma once

#include "core/Error.h"

namespace tw {

// A text that is not in the form it must have (a journal line, a choice of columns), with what
// is wrong with it; the caller adds where the text came from.
class FormatError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

#pragma once

#include "core/Error.h"

namespace tw {

// A file that cannot be read or written, with a description naming it and the cause.
class FileError : public Error {
 public:
  using Error::Error;
};

}  // namespace tw

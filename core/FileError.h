#pragma once

#include <stdexcept>

namespace tw {

// A file that cannot be read or written, with a description naming it and the cause.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw

#pragma once

#include <string>

namespace tw {

// A system error number in plain words ("the disk is full", "permission denied"), for the
// messages of file and store operations.
class ErrnoText {
 public:
  static std::string of(int error);
};

}  // namespace tw

#pragma once

#include <string>

namespace tw {

// Numbers in the general number form of English (United States): no thousands separator, no
// trailing zeros, no point for whole numbers, a 0 before the point below one: 1.5, 0.33, 2, 0.
class NumberText {
 public:
  static std::string general(double value);
};

}  // namespace tw

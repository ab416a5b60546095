#pragma once

#include <string>

namespace tw {

// Total minutes of one category name, the name as written at its first addition.
class Metric {
 public:
  std::string name;
  double value = 0;
};

}  // namespace tw

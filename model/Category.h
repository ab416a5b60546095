#pragma once

#include <string>

namespace tw {

// One category name of a DaysMetrics.
class Category {
 public:
  std::string sCategory;
};

}  // namespace tw

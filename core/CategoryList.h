#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// An entry's or a task's categories text read as a list: names separated by commas, each
// trimmed of blanks, empty names left out ("Acme, Design" names Acme and Design). Names are
// compared as everywhere, without regard to letter case (CaseFold).
class CategoryList {
 public:
  static std::vector<std::string_view> split(std::string_view categories);
  // True when one of the names equals name, letter case aside.
  static bool names(std::string_view categories, std::string_view name);
};

}  // namespace tw

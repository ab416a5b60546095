#include "reporting/CategoryFilter.h"

#include "model/TextLike.h"

namespace tw {

CategoryFilter::CategoryFilter(std::string_view reportCategory) : category_(reportCategory) {}

bool CategoryFilter::passes(std::string_view entryCategory) {
  if (category_.empty()) return true;
  const auto it = seen_.find(entryCategory);
  if (it != seen_.end()) return it->second;
  const bool pass = textLike(category_, entryCategory);
  seen_.emplace(entryCategory, pass);
  return pass;
}

}  // namespace tw

#include "report/CategoryFilter.h"

#include "core/CaseFold.h"

namespace tw {

CategoryFilter::CategoryFilter(std::string_view category)
    : key_(CaseFold::key(category)), all_(category.empty()) {}

bool CategoryFilter::passes(std::string_view categories) {
  if (all_) return true;
  const auto it = seen_.find(categories);
  if (it != seen_.end()) return it->second;
  const bool pass = CaseFold::key(categories) == key_;
  seen_.emplace(std::string(categories), pass);
  return pass;
}

}  // namespace tw

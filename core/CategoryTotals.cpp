#include "core/CategoryTotals.h"

#include "core/CaseFold.h"

namespace tw {

std::size_t CategoryTotals::add(std::string_view name, std::int64_t minutes) {
  auto spelled = bySpelling_.find(name);
  if (spelled == bySpelling_.end()) {
    const auto [keyed, added] = byKey_.emplace(CaseFold::key(name), totals_.size());
    if (added) totals_.push_back({std::string(name), 0});
    spelled = bySpelling_.emplace(std::string(name), keyed->second).first;
  }
  totals_[spelled->second].minutes += minutes;
  return spelled->second;
}

}  // namespace tw

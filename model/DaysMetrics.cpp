#include "model/DaysMetrics.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "model/CaseFold.h"
#include "model/TextLike.h"

namespace tw {

bool DaysMetrics::known(const std::string& name) const {
  if (plainKeys_.count(CaseFold::key(name)) != 0) return true;
  for (const std::size_t i : patterned_) {
    if (textLike(name, categories_[i].sCategory)) return true;
  }
  return false;
}

void DaysMetrics::addDay(DateTime d, const std::shared_ptr<Metrics>& cm) {
  firstOfDay_.emplace(d.seconds(), days.size());
  days.push_back({d, cm});
  for (const Metric& m : cm->GetAll()) {
    if (known(m.name)) continue;
    if (hasWildcards(m.name)) {
      patterned_.push_back(categories_.size());
    } else {
      plainKeys_.insert(CaseFold::key(m.name));
    }
    categories_.push_back({m.name});
  }
}

std::int32_t DaysMetrics::getMetric(DateTime d, std::string_view Category) const {
  const auto it = firstOfDay_.find(d.seconds());
  if (it == firstOfDay_.end()) return 0;
  const double total = std::nearbyint(days[it->second].metricsObject->GetValue(Category));
  if (!(total >= std::numeric_limits<std::int32_t>::min() &&
        total <= std::numeric_limits<std::int32_t>::max())) {
    throw std::overflow_error("Overflow: " + std::to_string(total) + " minutes");
  }
  return static_cast<std::int32_t>(total);
}

}  // namespace tw

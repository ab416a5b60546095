#include "model/Metrics.h"

#include "model/CaseFold.h"
#include "model/TextLike.h"

namespace tw {

std::size_t Metrics::find(std::string_view name) const {
  if (!hasWildcards(name)) {
    const auto it = byKey_.find(CaseFold::key(name));
    return it == byKey_.end() ? npos : it->second;
  }
  for (std::size_t i = 0; i < metricList.size(); ++i) {
    if (textLike(metricList[i].name, name)) return i;
  }
  return npos;
}

void Metrics::Add(std::string_view name, double value) {
  const auto cached = addCache_.find(name);
  if (cached != addCache_.end()) {
    metricList[cached->second].value += value;
    return;
  }
  std::size_t at = find(name);
  if (at == npos) {
    at = metricList.size();
    metricList.push_back({std::string(name), value});
    byKey_.emplace(CaseFold::key(name), at);
  } else {
    metricList[at].value += value;
  }
  addCache_.emplace(std::string(name), at);
}

double Metrics::GetValue(std::string_view name) const {
  const std::size_t at = find(name);
  return at == npos ? 0.0 : metricList[at].value;
}

}  // namespace tw

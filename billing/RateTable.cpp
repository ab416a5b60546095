#include "billing/RateTable.h"

#include <algorithm>

namespace tw {
namespace {

// Rates without a day first (they price from the beginning), then by day.
bool earlier(const Rate& a, const Rate& b) {
  if (!a.from || !b.from) return !a.from && b.from;
  return *a.from < *b.from;
}

}  // namespace

RateTable::RateTable(std::vector<Rate> rates) {
  for (Rate& r : rates) {
    if (r.taskUid.empty())
      byClient_[r.clientId].push_back(std::move(r));
    else
      byTask_[r.taskUid].push_back(std::move(r));
  }
  for (auto& [id, list] : byClient_) std::stable_sort(list.begin(), list.end(), earlier);
  for (auto& [uid, list] : byTask_) std::stable_sort(list.begin(), list.end(), earlier);
}

std::optional<std::int64_t> RateTable::inForce(const std::vector<Rate>& rates, DateTime day) {
  std::optional<std::int64_t> found;
  for (const Rate& r : rates) {
    if (r.from && *r.from > day) break;
    found = r.minorPerHour;
  }
  return found;
}

std::optional<std::int64_t> RateTable::on(DateTime day, std::int64_t clientId,
                                          std::string_view taskUid) const {
  if (!taskUid.empty()) {
    const auto task = byTask_.find(std::string(taskUid));
    if (task != byTask_.end()) {
      const std::optional<std::int64_t> own = inForce(task->second, day);
      if (own) return own;
    }
  }
  const auto client = byClient_.find(clientId);
  return client == byClient_.end() ? std::nullopt : inForce(client->second, day);
}

std::vector<Rate> RateTable::of(std::int64_t clientId, std::string_view taskUid) const {
  if (taskUid.empty()) {
    const auto found = byClient_.find(clientId);
    return found == byClient_.end() ? std::vector<Rate>() : found->second;
  }
  const auto found = byTask_.find(std::string(taskUid));
  return found == byTask_.end() ? std::vector<Rate>() : found->second;
}

}  // namespace tw

#include "reporting/Report.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tw {

Report::Report() {
  Reset();
}

void Report::Reset() {
  entries_.clear();
  starts_.clear();
  unordered_ = false;
}

void Report::Add(std::shared_ptr<JournalEntry> entry) {
  const DateTime start = entry->start;
  if (!starts_.empty() && start < starts_.back()) unordered_ = true;
  starts_.push_back(start);
  entries_.push_back(std::move(entry));
}

bool Report::Save(const std::string&) {
  return false;
}

const std::vector<std::shared_ptr<JournalEntry>>& Report::Entries() const {
  order();
  return entries_;
}

void Report::order() const {
  if (!unordered_) return;
  // Sorting (start, position of addition) keys gives the stable order without moving the
  // entries more than once.
  std::vector<std::pair<std::int64_t, std::size_t>> keys(starts_.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = {starts_[i].seconds(), i};
  std::sort(keys.begin(), keys.end());
  std::vector<std::shared_ptr<JournalEntry>> sorted;
  sorted.reserve(entries_.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    sorted.push_back(std::move(entries_[keys[i].second]));
    starts_[i] = DateTime::fromSeconds(keys[i].first);
  }
  entries_ = std::move(sorted);
  unordered_ = false;
}

}  // namespace tw

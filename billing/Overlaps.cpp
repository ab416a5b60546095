#include "billing/Overlaps.h"

#include <algorithm>

#include "core/Markers.h"

namespace tw {

std::vector<std::pair<std::size_t, std::size_t>> Overlaps::find(
    std::span<const JournalEntry> entries) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (Markers::countsAsWork(entries[i]) && entries[i].seconds > 0) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return entries[a].start < entries[b].start;
  });
  std::vector<std::pair<std::size_t, std::size_t>> out;
  std::size_t reaching = 0;
  bool any = false;
  for (std::size_t i : order) {
    const Instant end = entries[i].start.plus(entries[i].seconds);
    if (any) {
      const Instant furthest = entries[reaching].start.plus(entries[reaching].seconds);
      if (entries[i].start < furthest) out.emplace_back(reaching, i);
      if (end <= furthest) continue;
    }
    reaching = i;
    any = true;
  }
  return out;
}

}  // namespace tw

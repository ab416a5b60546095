#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "core/JournalEntry.h"

namespace tw {

// Entries of work whose times overlap: time counted twice if both are billed. Markers and
// entries of no length overlap nothing.
class Overlaps {
 public:
  // Pairs of indexes into entries (the earlier start first), each later entry paired with the
  // one reaching furthest before it.
  static std::vector<std::pair<std::size_t, std::size_t>> find(
      std::span<const JournalEntry> entries);
};

}  // namespace tw

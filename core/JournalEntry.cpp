#include "core/JournalEntry.h"

#include <algorithm>
#include <limits>

namespace tw {

std::int32_t JournalEntry::minutes() const {
  std::int64_t m = seconds / 60;
  if (seconds % 60 < 0) --m;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      m, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace tw

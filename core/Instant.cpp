#include "core/Instant.h"

#include <limits>

namespace tw {
namespace {

// Seconds from day 0 of DateTime (30 December 1899) to 1 January 1970.
constexpr std::int64_t kUnixEpoch = 25569LL * 86400;

}  // namespace

DateTime Instant::local(std::int32_t offsetSeconds) const {
  return DateTime::fromSeconds(localSeconds(offsetSeconds));
}

std::int64_t Instant::localSeconds(std::int32_t offsetSeconds) const {
  std::int64_t shifted = 0;
  if (__builtin_add_overflow(seconds_, offsetSeconds + kUnixEpoch, &shifted))
    return seconds_ < 0 ? std::numeric_limits<std::int64_t>::min()
                        : std::numeric_limits<std::int64_t>::max();
  return shifted;
}

Instant Instant::fromLocal(DateTime local, std::int32_t offsetSeconds) {
  return Instant(local.seconds() - kUnixEpoch - offsetSeconds);
}

}  // namespace tw

#include "core/Instant.h"

namespace tw {
namespace {

// Seconds from day 0 of DateTime (30 December 1899) to 1 January 1970.
constexpr std::int64_t kUnixEpoch = 25569LL * 86400;

}  // namespace

DateTime Instant::local(std::int32_t offsetSeconds) const {
  return DateTime::fromSeconds(seconds_ + offsetSeconds + kUnixEpoch);
}

Instant Instant::fromLocal(DateTime local, std::int32_t offsetSeconds) {
  return Instant(local.seconds() - kUnixEpoch - offsetSeconds);
}

}  // namespace tw

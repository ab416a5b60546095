#include "core/TimeZone.h"

#include <time.h>

#include <array>
#include <optional>

namespace tw {

std::int32_t TimeZone::offsetAt(Instant t) {
  const time_t seconds = static_cast<time_t>(t.unixSeconds());
  tm parts{};
  if (localtime_r(&seconds, &parts) == nullptr) return 0;
  return static_cast<std::int32_t>(parts.tm_gmtoff);
}

TimeZone::Reading TimeZone::resolve(DateTime local) {
  // Offsets never change by more than a day's worth around a reading, so the offsets in force
  // fourteen hours either side hold every candidate.
  const Instant asUtc = Instant::fromLocal(local, 0);
  const std::array<std::int32_t, 3> offsets = {offsetAt(asUtc.plus(-50400)), offsetAt(asUtc),
                                               offsetAt(asUtc.plus(50400))};
  std::optional<Reading> earliest;
  for (const std::int32_t offset : offsets) {
    const Instant candidate = Instant::fromLocal(local, offset);
    if (offsetAt(candidate) != offset) continue;
    if (!earliest || candidate < earliest->instant) earliest = Reading{candidate, offset};
  }
  if (earliest) return *earliest;
  return {Instant::fromLocal(local, offsets[0]), offsets[0]};
}

void TimeZone::reload() {
  tzset();
}

}  // namespace tw

#include "core/TimeZone.h"

#include <time.h>

#include "core/DateText.h"
#include "core/DateTimeError.h"

namespace tw {
namespace {

// Offsets never change by more than a day's worth around a reading, so the offsets in force
// fourteen hours either side hold every candidate.
constexpr std::int64_t kAround = 50400;

}  // namespace

std::int32_t TimeZone::offsetAt(Instant t) {
  const time_t seconds = static_cast<time_t>(t.unixSeconds());
  tm parts{};
  if (localtime_r(&seconds, &parts) == nullptr) return 0;
  return static_cast<std::int32_t>(parts.tm_gmtoff);
}

std::optional<TimeZone::Reading> TimeZone::exactly(DateTime local,
                                                   const std::int32_t (&offsets)[3]) {
  std::optional<Reading> earliest;
  for (const std::int32_t offset : offsets) {
    const Instant candidate = Instant::fromLocal(local, offset);
    if (offsetAt(candidate) != offset) continue;
    if (!earliest || candidate < earliest->instant) earliest = Reading{candidate, offset};
  }
  return earliest;
}

TimeZone::Reading TimeZone::resolve(DateTime local) {
  const Instant asUtc = Instant::fromLocal(local, 0);
  const std::int32_t offsets[3] = {offsetAt(asUtc.plus(-kAround)), offsetAt(asUtc),
                                   offsetAt(asUtc.plus(kAround))};
  if (const std::optional<Reading> found = exactly(local, offsets)) return *found;
  return {Instant::fromLocal(local, offsets[0]), offsets[0]};
}

// In a gap the reading under the offset before the change lies after the change, and the one
// under the offset after it lies before: the change is found between them.
TimeZone::Reading TimeZone::entered(DateTime local) {
  const Instant asUtc = Instant::fromLocal(local, 0);
  const std::int32_t offsets[3] = {offsetAt(asUtc.plus(-kAround)), offsetAt(asUtc),
                                   offsetAt(asUtc.plus(kAround))};
  if (const std::optional<Reading> found = exactly(local, offsets)) return *found;
  const std::int32_t before = offsets[0], after = offsets[2];
  Instant low = Instant::fromLocal(local, after), high = Instant::fromLocal(local, before);
  while (high.secondsSince(low) > 1) {
    const Instant middle = low.plus(high.secondsSince(low) / 2);
    (offsetAt(middle) == before ? low : high) = middle;
  }
  const DateTime from = high.local(before), to = high.local(after);
  const auto shown = [&](DateTime t) {
    return from.date() == to.date() ? DateText::longTime(t) : DateText::generalDate(t);
  };
  throw DateTimeError(DateText::shortDate(local) + " " + DateText::longTime(local) +
                      " does not exist here: the clocks went forward from " + shown(from) + " to " +
                      shown(to));
}

void TimeZone::reload() {
  tzset();
}

}  // namespace tw

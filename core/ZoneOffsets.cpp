#include "core/ZoneOffsets.h"

#include "core/TimeZone.h"

namespace tw {
namespace {

constexpr std::int64_t kWeek = 7 * 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  return a / b - (a % b < 0 ? 1 : 0);
}

}  // namespace

std::int32_t ZoneOffsets::at(Instant t) {
  if (!(from_ <= t && t < until_)) learnAround(t);
  return offset_;
}

// The week holding t, split where the clocks change in it.
void ZoneOffsets::learnAround(Instant t) {
  Instant low = Instant::fromUnix(floorDiv(t.unixSeconds(), kWeek) * kWeek);
  Instant high = low.plus(kWeek - 1);
  const std::int32_t first = TimeZone::offsetAt(low), last = TimeZone::offsetAt(high);
  if (first == last) {
    from_ = low;
    until_ = high.plus(1);
    offset_ = first;
    return;
  }
  const Instant weekStart = low, weekEnd = high.plus(1);
  // offsetAt(low) is first, offsetAt(high) is not: high ends as the first instant of the change.
  while (high.secondsSince(low) > 1) {
    const Instant middle = low.plus(high.secondsSince(low) / 2);
    (TimeZone::offsetAt(middle) == first ? low : high) = middle;
  }
  if (t < high) {
    from_ = weekStart;
    until_ = high;
    offset_ = first;
  } else {
    from_ = high;
    until_ = weekEnd;
    offset_ = last;
  }
}

DateTime ZoneOffsets::readingAfter(Instant start, std::int32_t startOffset, std::int64_t seconds) {
  const Instant end = start.plus(seconds);
  const std::int32_t here = at(end);
  if (here == startOffset || at(start) != startOffset) return end.local(startOffset);
  return end.local(here);
}

}  // namespace tw

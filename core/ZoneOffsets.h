#pragma once

#include <cstdint>

#include "core/DateTime.h"
#include "core/Instant.h"

namespace tw {

// The UTC offsets of the machine's time zone (TimeZone::offsetAt) for many instants in a row,
// as a report over decades asks for them: the C library takes microseconds for each, so an
// offset is kept for the span of a week around the instants asked for, in which the clocks
// change at most once.
class ZoneOffsets {
 public:
  std::int32_t at(Instant t);
  // The wall-clock reading `seconds` after a start that reads under startOffset: as the clocks
  // here show then when the start was recorded here (so that across a change of the clocks
  // the end is the real end), else under the start's own offset.
  DateTime readingAfter(Instant start, std::int32_t startOffset, std::int64_t seconds);

 private:
  void learnAround(Instant t);

  // The offset holds in [from_, until_).
  Instant from_;
  Instant until_;
  std::int32_t offset_ = 0;
};

}  // namespace tw

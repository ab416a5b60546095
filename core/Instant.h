#pragma once

#include <compare>
#include <cstdint>

#include "core/DateTime.h"

namespace tw {

// A moment in real time: whole seconds since 1970-01-01 00:00:00 UTC. Elapsed time across
// processes is a difference of instants, never of local wall-clock values.
class Instant {
 public:
  constexpr Instant() = default;
  static constexpr Instant fromUnix(std::int64_t seconds) { return Instant(seconds); }

  constexpr std::int64_t unixSeconds() const { return seconds_; }
  constexpr Instant plus(std::int64_t seconds) const { return Instant(seconds_ + seconds); }
  constexpr std::int64_t secondsSince(Instant earlier) const { return seconds_ - earlier.seconds_; }
  // The wall-clock reading of this instant where the UTC offset is offsetSeconds.
  DateTime local(std::int32_t offsetSeconds) const;
  // The same reading as seconds from DateTime's day 0, not checked against DateTime's range
  // (kept within the 64-bit range): for judging and showing a value found out of range.
  std::int64_t localSeconds(std::int32_t offsetSeconds) const;
  // The instant a wall-clock reading names under a known UTC offset.
  static Instant fromLocal(DateTime local, std::int32_t offsetSeconds);

  friend constexpr auto operator<=>(Instant, Instant) = default;

 private:
  explicit constexpr Instant(std::int64_t s) : seconds_(s) {}
  std::int64_t seconds_ = 0;
};

}  // namespace tw

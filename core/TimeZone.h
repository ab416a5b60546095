#pragma once

#include <cstdint>

#include "core/DateTime.h"
#include "core/Instant.h"

namespace tw {

// The machine's time zone (TZ, else /etc/localtime), through the C library.
class TimeZone {
 public:
  // An instant and the UTC offset under which it reads as a given wall-clock time.
  struct Reading {
    Instant instant;
    std::int32_t offset = 0;
  };

  // Seconds east of UTC in force at the instant.
  static std::int32_t offsetAt(Instant t);
  // The wall-clock reading of the instant here.
  static DateTime toLocal(Instant t) { return t.local(offsetAt(t)); }
  // The instant a local wall-clock reading names, with the offset that gives that reading back.
  // On the night the clocks go back a reading names two instants: the earlier one is taken. A
  // reading the clocks skip (spring forward) is taken with the offset in force before the
  // change, as a clock not yet moved would show it.
  static Reading resolve(DateTime local);
  static Instant fromLocal(DateTime local) { return resolve(local).instant; }
  // Re-reads TZ (after a test or the user changed it).
  static void reload();
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>

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
  // The instant a local time that someone typed names (a start, a moment to cut or mark at):
  // as resolve, but a reading the clocks skip is refused with a DateTimeError that says which
  // readings that night does not have.
  static Reading entered(DateTime local);
  // Re-reads TZ (after a test or the user changed it).
  static void reload();

 private:
  // The earliest instant that reads as local here, or nothing when the clocks skip it.
  static std::optional<Reading> exactly(DateTime local, const std::int32_t (&offsets)[3]);
};

}  // namespace tw

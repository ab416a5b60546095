#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace tw {

// The locale forms of date-times, fixed to English (United States).
class DateText {
 public:
  // M/d/yyyy: 1/2/2002; years before 1000 keep four digits (1/2/0802).
  static std::string shortDate(DateTime t);
  // dddd, MMMM dd, yyyy: Wednesday, January 02, 2002.
  static std::string longDate(DateTime t);
  // h:mm:ss AM/PM: 9:00:00 AM.
  static std::string longTime(DateTime t);
  // Appends the long time form of a time of day (0..86399 seconds).
  static void appendLongTime(std::string& out, int secondsOfDay);
  // Short date, a blank and the long time; the time is left out at exactly midnight, and the
  // empty date value (day 0) shows only its time.
  static std::string generalDate(DateTime t);
  // YYYY-MM-DDTHH:MM:SS, the interchange form of the command line.
  static std::string iso(DateTime t);
  // The same form of any count of seconds from day 0, also outside the representable range
  // ("0000-01-01T00:00:00"): for showing a value found out of range.
  static std::string isoOfAny(std::int64_t secondsSinceDayZero);

  // Reads a short date with an optional time (h:mm, h:mm:ss, with or without AM/PM), or a
  // time alone (on day 0). One- or two-digit years take 1930..2029. Throws DateTimeError
  // saying what is wrong ("February 30, 2024 does not exist") for anything else.
  static DateTime parse(std::string_view text);
  // Reads YYYY-MM-DDTHH:MM:SS exactly; throws DateTimeError otherwise.
  static DateTime parseIso(std::string_view text);
};

}  // namespace tw

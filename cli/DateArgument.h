#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace tw {

// Dates and times given on the command line, in the US form or in ISO form. Throws UsageError
// naming the option and what is wrong ("February 30, 2024 does not exist").
class DateArgument {
 public:
  // A day: M/d/yyyy (3/1/2024) or YYYY-MM-DD (2024-03-01).
  static DateTime day(std::string_view option, const std::string& text);
  // A day and a time: M/d/yyyy h:mm[:ss] [AM|PM] (3/1/2024 9:30 AM) or
  // YYYY-MM-DDTHH:MM[:SS] (2024-03-01T09:30, also with a blank for the T).
  static DateTime moment(std::string_view option, const std::string& text);

  // A moment as moment() gives it, then in the ISO form optionally its UTC offset (Z, +HH:MM
  // or -HH:MM), which names one instant where the local time is ambiguous (the hour the clocks
  // repeat when they go back).
  struct Zoned {
    DateTime local;
    std::optional<std::int32_t> offset;
  };
  static Zoned zonedMoment(std::string_view option, const std::string& text);

  struct DayRange {
    std::optional<DateTime> first;
    std::optional<DateTime> last;
  };
  // The days of --from and --to, each when given (non-null); throws UsageError also when
  // --from is after --to, or --to is the last day there is (12/31/9999).
  static DayRange dayRange(const std::string* from, const std::string* to);
};

}  // namespace tw

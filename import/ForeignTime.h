#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/DateTime.h"
#include "core/Instant.h"
#include "core/TimeZone.h"

namespace tw {

// The date-times of other programs' files.
class ForeignTime {
 public:
  // Reads text laid out as pattern, where Y, M, D, h, m and s stand for one digit each of the
  // year, month, day, hour, minute and second and every other character stands for itself
  // ("YYYY-MM-DD hh:mm"). Nothing when the text has another shape or names no date-time;
  // why, when asked, says which.
  static std::optional<DateTime> read(std::string_view text, std::string_view pattern,
                                      std::string* why = nullptr);
  // A local wall-clock reading of this machine's time zone as an instant and its offset: in
  // the hour the clocks repeat, the first; in the hour they skip, under the offset before.
  static TimeZone::Reading local(DateTime reading) { return TimeZone::resolve(reading); }
  // A UTC reading as an instant, with the offset in force here then.
  static TimeZone::Reading utc(DateTime reading);
};

}  // namespace tw

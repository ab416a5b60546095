#pragma once

#include <optional>
#include <string>

#include "core/DateTime.h"

namespace tw {

// What a report is asked for: a category and a range of days.
class ReportRequest {
 public:
  // Only entries of exactly this category (without regard to letter case); empty for all.
  std::string category;
  // The first and the last day; no bound where none is given. A bound typed with a time of day
  // keeps it (the CSV table then has no day an entry falls on).
  std::optional<DateTime> first;
  std::optional<DateTime> last;
  // The bounds as they were given, for the text report's heading; empty without a bound.
  std::string firstText;
  std::string lastText;

  // Days as the command line gives them, shown as their short dates (1/5/2003).
  static ReportRequest ofDays(std::string category, std::optional<DateTime> first,
                              std::optional<DateTime> last);
  // Bounds as typed (DateText::parse), empty for none. Throws DateTimeError when one cannot be
  // read.
  static ReportRequest typed(std::string category, std::string first, std::string last);
};

}  // namespace tw

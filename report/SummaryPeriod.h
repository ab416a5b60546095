#pragma once

#include "core/DateTime.h"

namespace tw {

class Clock;

// The run of local days the summary shows: a week from Monday to Sunday, or a calendar month.
// It opens on the period that holds today, steps to the one before or after, and changes its
// kind around the day the user is looking at: today while the period holds it, else the week's
// Thursday (the day that decides which month a week belongs to) or the month's first day.
class SummaryPeriod {
 public:
  enum class Kind { Week, Month };

  // The period of that kind holding today's local day, as the clock and the time zone say.
  static SummaryPeriod current(Kind kind, const Clock& clock);
  // The period of that kind holding day's date.
  static SummaryPeriod holding(Kind kind, DateTime day);

  // The period of the same kind before (direction < 0) or after this one.
  SummaryPeriod stepped(int direction) const;
  // The period of that kind around the day looked at, today being given.
  SummaryPeriod as(Kind kind, DateTime today) const;

  Kind kind() const { return kind_; }
  // Midnight of the period's first day.
  DateTime first() const { return first_; }
  int dayCount() const { return dayCount_; }

 private:
  SummaryPeriod(Kind kind, DateTime first, int dayCount)
      : kind_(kind), first_(first), dayCount_(dayCount) {}

  Kind kind_;
  DateTime first_;
  int dayCount_;
};

}  // namespace tw

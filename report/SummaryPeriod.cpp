#include "report/SummaryPeriod.h"

#include "core/Clock.h"
#include "core/TimeZone.h"

namespace tw {

namespace {

constexpr int kWeekDays = 7;
// Days from Monday to Thursday.
constexpr int kToThursday = 3;

DateTime firstOfMonth(int year, int month) {
  // Months past December or before January carry into the year.
  const int months = year * 12 + month - 1;
  return DateTime::fromParts(months / 12, months % 12 + 1, 1);
}

}  // namespace

SummaryPeriod SummaryPeriod::current(Kind kind, const Clock& clock) {
  return holding(kind, TimeZone::toLocal(clock.now()));
}

SummaryPeriod SummaryPeriod::holding(Kind kind, DateTime day) {
  const DateTime date = day.date();
  if (kind == Kind::Week) {
    // dayOfWeek counts from Sunday; weeks start on Monday.
    const int sinceMonday = (date.dayOfWeek() + kWeekDays - 1) % kWeekDays;
    return {kind, date.addDays(-sinceMonday), kWeekDays};
  }
  const DateTime first = firstOfMonth(date.year(), date.month());
  const DateTime next = firstOfMonth(date.year(), date.month() + 1);
  return {kind, first, static_cast<int>((next.seconds() - first.seconds()) / 86400)};
}

SummaryPeriod SummaryPeriod::stepped(int direction) const {
  const int step = direction < 0 ? -1 : 1;
  if (kind_ == Kind::Week) return holding(kind_, first_.addDays(step * kWeekDays));
  return holding(kind_, firstOfMonth(first_.year(), first_.month() + step));
}

SummaryPeriod SummaryPeriod::as(Kind kind, DateTime today) const {
  const DateTime day = today.date();
  if (day >= first_ && day < first_.addDays(dayCount_)) return holding(kind, day);
  return holding(kind, kind_ == Kind::Week ? first_.addDays(kToThursday) : first_);
}

}  // namespace tw

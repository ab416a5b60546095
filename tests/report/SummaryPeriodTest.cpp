#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "core/ManualClock.h"
#include "report/SummaryPeriod.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw::test {
namespace {

using Kind = SummaryPeriod::Kind;

DateTime day(int year, int month, int d, int hour = 0) {
  return DateTime::fromParts(year, month, d, hour);
}

// The summary opens on the period holding today's local day, whatever day of the week or of
// the month today is and whatever the time zone makes of the clock's instant.
TEST(SummaryPeriodTest, OpensOnThePeriodHoldingTodaysLocalDay) {
  struct Case {
    const char* zone;
    Instant now;
    Kind kind;
    DateTime first;
    int days;
  };
  const Instant firstOfMarchEarly = Instant::fromUnix(1709258400);  // 2024-03-01 02:00 UTC
  const Case cases[] = {
      {"UTC", firstOfMarchEarly, Kind::Month, day(2024, 3, 1), 31},
      {"America/New_York", firstOfMarchEarly, Kind::Month, day(2024, 2, 1), 29},
      {"America/New_York", firstOfMarchEarly, Kind::Week, day(2024, 2, 26), 7},
      {"Pacific/Auckland", Instant::fromUnix(1704020400), Kind::Month, day(2024, 1, 1), 31},
      {"UTC", Instant::fromUnix(1704020400), Kind::Month, day(2023, 12, 1), 31},
      {"UTC", Instant::fromUnix(1677628799), Kind::Month, day(2023, 2, 1), 28},
      {"UTC", Instant::fromUnix(1677628800), Kind::Month, day(2023, 3, 1), 31},
      {"Europe/Berlin", Instant::fromUnix(1733007600), Kind::Week, day(2024, 11, 25), 7},
  };
  for (const Case& c : cases) {
    const ScopedTimeZone zone(c.zone);
    const SummaryPeriod period = SummaryPeriod::current(c.kind, ManualClock(c.now));
    EXPECT_EQ(std::pair(period.first(), period.dayCount()), std::pair(c.first, c.days))
        << c.zone << " " << c.now.unixSeconds();
  }
}

// Steps go month by month and week by week; a change of kind keeps today when the period
// holds it, else the week's Thursday or the month's first day.
TEST(SummaryPeriodTest, StepsAndChangesKindAroundTheDayLookedAt) {
  const DateTime monday = day(2024, 12, 2, 15);
  const DateTime newYear = day(2025, 1, 1, 15);  // a Wednesday: the week began in December
  struct Case {
    DateTime today;
    Kind from;
    int steps;
    Kind to;
    DateTime first;
    int days;
  };
  const Case cases[] = {
      {newYear, Kind::Week, 0, Kind::Month, day(2025, 1, 1), 31},
      {newYear, Kind::Month, 0, Kind::Week, day(2024, 12, 30), 7},
      {monday, Kind::Week, 0, Kind::Month, day(2024, 12, 1), 31},
      {monday, Kind::Month, 0, Kind::Week, day(2024, 12, 2), 7},
      {monday, Kind::Week, -1, Kind::Month, day(2024, 11, 1), 30},
      {monday, Kind::Week, -5, Kind::Month, day(2024, 10, 1), 31},  // Thursday Oct 31
      {monday, Kind::Week, 4, Kind::Month, day(2025, 1, 1), 31},  // Dec 30 - Jan 5: Thursday Jan 2
      {monday, Kind::Month, -1, Kind::Week, day(2024, 10, 28), 7},
      {monday, Kind::Month, -10, Kind::Month, day(2024, 2, 1), 29},
      {monday, Kind::Month, -22, Kind::Month, day(2023, 2, 1), 28},
      {monday, Kind::Month, 1, Kind::Month, day(2025, 1, 1), 31},
  };
  for (const Case& c : cases) {
    SummaryPeriod period = SummaryPeriod::holding(c.from, c.today);
    for (int i = 0; i < std::abs(c.steps); ++i) period = period.stepped(c.steps);
    period = period.as(c.to, c.today);
    EXPECT_EQ(std::pair(period.first(), period.dayCount()), std::pair(c.first, c.days)) << c.steps;
  }
}

}  // namespace
}  // namespace tw::test

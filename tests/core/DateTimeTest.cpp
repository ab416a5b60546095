#include <gtest/gtest.h>

#include "core/DateText.h"
#include "core/DateTime.h"
#include "core/DateTimeError.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TextEdits.h"

using tw::DateText;
using tw::DateTime;
using tw::DateTimeError;

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return DateTime::fromParts(y, mo, d, h, mi, s);
}

}  // namespace

TEST(DateTimeForms, RenderTheUnitedStatesForms) {
  const DateTime t = at(2002, 1, 2, 9);
  EXPECT_EQ(DateText::shortDate(t), "1/2/2002");
  EXPECT_EQ(DateText::longDate(t), "Wednesday, January 02, 2002");
  EXPECT_EQ(DateText::generalDate(t), "1/2/2002 9:00:00 AM");
  EXPECT_EQ(DateText::generalDate(at(2002, 1, 2)), "1/2/2002");
  EXPECT_EQ(DateText::generalDate(DateTime()), "12:00:00 AM");
  EXPECT_EQ(DateText::generalDate(DateTime::fromSeconds(9 * 3600)), "9:00:00 AM");
  EXPECT_EQ(DateText::shortDate(at(802, 3, 4)), "3/4/0802");
  EXPECT_EQ(DateText::longDate(at(802, 3, 4)), "Monday, March 04, 0802");
  const std::pair<DateTime, const char*> times[] = {{t, "9:00:00 AM"},
                                                    {at(2002, 1, 2, 12, 5, 7), "12:05:07 PM"},
                                                    {at(1850, 1, 2, 12), "12:00:00 PM"},
                                                    {at(2002, 1, 2, 0, 0, 1), "12:00:01 AM"},
                                                    {at(2002, 1, 2, 10, 35), "10:35:00 AM"},
                                                    {at(2002, 1, 2, 23, 59, 59), "11:59:59 PM"}};
  for (const auto& [time, text] : times) EXPECT_EQ(DateText::longTime(time), text) << text;
}

TEST(DateTimeArithmetic, CountsInDaysRoundedToTheSecond) {
  EXPECT_EQ(at(1899, 12, 30).days(), 0.0);
  EXPECT_EQ(at(1900, 1, 1).days(), 2.0);
  const DateTime t = at(2002, 12, 5, 10, 30);
  // The marker shift: 0.000694 day is 59.9616 s, which rounds to 60 s.
  EXPECT_EQ(t.addDays(-0.000694), at(2002, 12, 5, 10, 29));
  EXPECT_EQ(t.addDays(1), at(2002, 12, 6, 10, 30));
  EXPECT_EQ(t.addMinutes(95), at(2002, 12, 5, 12, 5));
  EXPECT_EQ(DateTime::fromDays(t.days()), t);
  EXPECT_EQ(at(2024, 2, 29).dayOfWeek(), 4);
  EXPECT_EQ(at(1850, 3, 1, 6).date(), at(1850, 3, 1));
  EXPECT_EQ(at(1850, 3, 1, 6).hour(), 6);
}

TEST(DateTimeArithmetic, LeavingTheRangeThrows) {
  EXPECT_NO_THROW(at(100, 1, 1));
  EXPECT_NO_THROW(at(9999, 12, 31, 23, 59, 59));
  EXPECT_THROW(at(99, 12, 31), DateTimeError);
  EXPECT_THROW(at(9999, 12, 31).addDays(1), DateTimeError);
  EXPECT_THROW(at(100, 1, 1).addSeconds(-1), DateTimeError);
  EXPECT_THROW(at(2001, 2, 29), DateTimeError);
  EXPECT_THROW(DateTime::fromDays(1e300), DateTimeError);
}

TEST(DateTextParsing, ReadsShortDatesWithOptionalTime) {
  const std::pair<const char*, DateTime> cases[] = {
      {"1/1/1900", at(1900, 1, 1)},
      {"1/1/2999", at(2999, 1, 1)},
      {"12/5/2002 10:30 AM", at(2002, 12, 5, 10, 30)},
      {"12/5/2002 10:30:15 PM", at(2002, 12, 5, 22, 30, 15)},
      {"12/5/2002 12:00:00 AM", at(2002, 12, 5)},
      {"12/5/2002 17:45", at(2002, 12, 5, 17, 45)},
      {" 1/1/2002\t10:30 ", at(2002, 1, 1, 10, 30)},
      {"1/2/02", at(2002, 1, 2)},
      {"9:00:00 AM", DateTime::fromSeconds(9 * 3600)}};
  for (const auto& [text, time] : cases) EXPECT_EQ(DateText::parse(text), time) << text;
  // Every general date, and the short date of every representable day, reads back.
  for (const DateTime d : {at(100, 1, 1), at(999, 12, 31), at(1899, 12, 30), at(9999, 12, 31)}) {
    EXPECT_EQ(DateText::parse(DateText::shortDate(d)), d) << DateText::shortDate(d);
  }
  EXPECT_EQ(DateText::parse(DateText::generalDate(at(2031, 7, 4, 13, 2, 3))),
            at(2031, 7, 4, 13, 2, 3));
}

TEST(DateTextParsing, RejectsUnreadableTexts) {
  for (const char* bad :
       {"", "x", "13/1/2002", "2/30/2002", "1/1/2002 25:00", "1/1/2002 x", "1/1/20021", "1/1/202",
        "1//2002", "1/1/2002 13:00 PM", "1/1/99999", "1/1/200210:30"}) {
    EXPECT_THROW(DateText::parse(bad), DateTimeError) << bad;
  }
  // The message names the text and what is wrong with it.
  const std::pair<const char*, const char*> reasons[] = {
      {"soon", "'soon' is not a date"},
      {"2/30/2024", "February 30, 2024 does not exist"},
      {"1/1/0099", "year 0099 is before 0100"},
      {"13/1/2002", "there is no month 13"}};
  for (const auto& [text, reason] : reasons) {
    const std::string e = tw::test::failureOf<DateTimeError>([&] { DateText::parse(text); });
    EXPECT_TRUE(tw::test::has(e, reason)) << text << ": " << e;
  }
}

TEST(DateTextParsing, IsoRoundTrip) {
  const DateTime t = at(2026, 12, 6, 7, 8, 9);
  EXPECT_EQ(DateText::iso(t), "2026-12-06T07:08:09");
  EXPECT_EQ(DateText::parseIso("2026-12-06T07:08:09"), t);
  EXPECT_THROW(DateText::parseIso("2026-12-06 07:08:09"), DateTimeError);
  EXPECT_THROW(DateText::parseIso("2026-13-06T07:08:09"), DateTimeError);
  EXPECT_TRUE(tw::test::has(
      tw::test::failureOf<DateTimeError>([] { DateText::parseIso("2023-02-29T10:00:00"); }),
      "February 29, 2023 does not exist"));
}

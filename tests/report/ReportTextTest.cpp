#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "ReportFixture.h"
#include "core/DateText.h"
#include "core/DateTimeError.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

using namespace test;
using Entries = std::vector<JournalEntry>;

std::string report(const Entries& entries, const char* from = "", const char* to = "",
                   const char* category = "") {
  return render<TextReport>(entries, request(from, to, category));
}

TEST(TextReport, LayoutOfOneDay) {
  EXPECT_EQ(report({stopMarker(at(2002, 1, 2, 11, 1)),
                    entry(at(2002, 1, 2, 10, 40), 20, "Design", "Review"),
                    entry(at(2002, 1, 2, 9, 0), 95, "Design", "Page layout"),
                    startMarker(at(2002, 1, 2, 8, 59))},
                   "1/2/2002", "1/2/2002"),
            "JOURNAL REPORT\r\n"
            "Range: 1/2/2002 through 1/2/2002, Category: ALL\r\n"
            "\r\n"
            "[Wednesday, January 02, 2002]\r\n"
            "\r\n"
            "  Start Work: 1/2/2002 8:59:00 AM\r\n"
            "\r\n"
            "    Design: 1 hour, 35 minutes (Task)\r\n"
            "    9:00:00 AM through 10:35:00 AM\r\n"
            "    Page layout\r\n"
            "\r\n"
            "    Design: 20 minutes (Task)\r\n"
            "    10:40:00 AM through 11:00:00 AM\r\n"
            "    Review\r\n"
            "\r\n"
            "  Stop Work: 1/2/2002 11:01:00 AM\r\n"
            "\r\n"
            "\r\n"
            "TOTALS:\r\n"
            "-------\r\n"
            "Design: 1 hour, 55 minutes\r\n");
  // A marker at midnight opens its day and shows the date alone; an entry without minutes, or
  // with fewer than none (kept by an older version), shows no end.
  EXPECT_EQ(
      report({startMarker(at(2003, 1, 6)), entry(at(2003, 1, 6, 9), 0, "Admin", "Mail", "PJ_Task"),
              entry(at(2003, 1, 6, 9, 30), -5, "Admin", "Undone")}),
      "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n"
      "\r\n[Monday, January 06, 2003]\r\n\r\n"
      "  Start Work: 1/6/2003\r\n\r\n"
      "    Admin: 0 minutes (PJ_Task)\r\n"
      "    9:00:00 AM\r\n"
      "    Mail\r\n\r\n"
      "    Admin: -5 minutes (Task)\r\n    9:30:00 AM\r\n    Undone\r\n\r\n"
      "\r\nTOTALS:\r\n-------\r\nAdmin: -5 minutes\r\n");
}

TEST(TextReport, RangeLine) {
  const std::pair<ReportRequest, const char*> cases[] = {
      {request("", ""),
       "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n\r\nTOTALS:\r\n-------\r\n"},
      {request("1/5/2003", "", "Design"), "Range: 1/5/2003 ->, Category: Design\r\n"},
      {request("", "1/7/2003"), "Range: <- 1/7/2003, Category: ALL\r\n"},
  };
  for (const auto& [r, line] : cases) EXPECT_TRUE(has(render<TextReport>({}, r), line)) << line;
}

// The days a report reads from the store: whole days, 1/1/1900 through 1/1/2999 by default.
TEST(TextReport, DaysOfTheRange) {
  const struct {
    ReportRequest request;
    const char* days;
  } cases[] = {
      {request("1/5/2003 3:00 PM", "1/5/2003 9:00 AM"), "1/5/2003 1/5/2003"},
      {request("", ""), "1/1/1900 1/1/2999"},
      {request("1/7/2003", ""), "1/7/2003 1/1/2999"},
  };
  for (const auto& c : cases) {
    const TextReport report(c.request, {});
    EXPECT_EQ(DateText::shortDate(report.firstDay()) + " " + DateText::shortDate(report.lastDay()),
              c.days);
  }
}

// The end shown is the local time of the start instant plus the length: across a change of the
// clocks it moves with them. An entry recorded under another offset ends under its own.
TEST(TextReport, EndsAcrossChangesOfTheClocks) {
  const test::ScopedTimeZone berlin("Europe/Berlin");
  JournalEntry elsewhere = entry(at(2024, 3, 31, 1, 59), 2, "Travel");
  elsewhere.utcOffset = 19800;
  elsewhere.start = Instant::fromLocal(at(2024, 3, 31, 1, 59), elsewhere.utcOffset);
  JournalEntry secondPass = entry(at(2024, 10, 27, 2, 50), 30, "Late");
  secondPass.start = secondPass.start.plus(3600);
  secondPass.utcOffset = 3600;
  const struct {
    JournalEntry e;
    const char* shown;
  } cases[] = {
      {entry(at(2024, 3, 31, 1, 59), 2, "Spring"), "1:59:00 AM through 3:01:00 AM"},
      {entry(at(2024, 3, 31, 1, 0), 59, "Spring"), "1:00:00 AM through 1:59:00 AM"},
      {entry(at(2024, 10, 27, 2, 50), 20, "Autumn"), "2:50:00 AM through 2:10:00 AM"},
      {entry(at(2024, 10, 26, 23, 0), 240, "Autumn"), "11:00:00 PM through 2:00:00 AM"},
      {secondPass, "2:50:00 AM through 3:20:00 AM"},
      {elsewhere, "1:59:00 AM through 2:01:00 AM"},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(has(report({c.e}), c.shown)) << c.shown << "\n" << report({c.e});
}

// A long report reaches its output in pieces as it is made, each of whole days' sections
// (the totals come with the last), so that it is never held whole.
TEST(TextReport, GoesOutDayByDay) {
  std::vector<std::string> pieces;
  TextReport report(request("", ""), [&](std::string_view p) { pieces.emplace_back(p); });
  for (int day = 0; day < 2000; ++day)
    report.add(entry(at(2003, 1, 1, 9).addSeconds(day * 86400), 30, "A", std::string(100, 'x')));
  report.finish();
  ASSERT_GT(pieces.size(), 2u);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_LT(pieces[i].size(), 100000u) << i;
    if (i > 0) {
      EXPECT_EQ(pieces[i].substr(0, 3), "\r\n[") << i;
    }
  }
}

TEST(TextReport, UnreadableBoundsAndTotalsBeyondThirtyTwoBits) {
  EXPECT_THROW(report({}, "not a date"), DateTimeError);
  // A range ending on the last representable day needs the day after it.
  EXPECT_NO_THROW(report({entry(at(9999, 12, 30, 23, 50), 5, "A")}, "12/30/9999", "12/30/9999"));
  EXPECT_THROW(report({}, "12/31/9999", "12/31/9999"), DateTimeError);
  EXPECT_THROW(
      report({entry(at(2003, 1, 5, 9), 2147483647, "A"), entry(at(2003, 1, 5, 10), 1, "A")}),
      std::overflow_error);
}

}  // namespace
}  // namespace tw

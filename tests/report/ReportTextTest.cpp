#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "ReportFixture.h"
#include "core/DateText.h"
#include "core/DateTimeError.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw {
namespace {

using namespace test;
using Entries = std::vector<JournalEntry>;

std::string report(const Entries& entries, const char* from = "", const char* to = "",
                   const char* category = "") {
  return render<TextReport>(entries, request(from, to, category));
}

std::string totals(const std::string& text) {
  return text.substr(text.find("TOTALS:\r\n-------\r\n") + 18);
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
  // A marker at midnight opens its day and shows the date alone; an entry without minutes
  // shows no end.
  EXPECT_EQ(report({startMarker(at(2003, 1, 6)),
                    entry(at(2003, 1, 6, 9), 0, "Admin", "Mail", "PJ_Task")}),
            "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n"
            "\r\n[Monday, January 06, 2003]\r\n\r\n"
            "  Start Work: 1/6/2003\r\n\r\n"
            "    Admin: 0 minutes (PJ_Task)\r\n"
            "    9:00:00 AM\r\n"
            "    Mail\r\n\r\n"
            "\r\nTOTALS:\r\n-------\r\nAdmin: 0 minutes\r\n");
}

TEST(TextReport, RangeLine) {
  const std::pair<ReportRequest, const char*> cases[] = {
      {request("", ""),
       "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n\r\nTOTALS:\r\n-------\r\n"},
      {request("1/5/2003", "", "Design"), "Range: 1/5/2003 ->, Category: Design\r\n"},
      {request("", "1/7/2003"), "Range: <- 1/7/2003, Category: ALL\r\n"},
  };
  for (const auto& [r, line] : cases)
    EXPECT_NE(render<TextReport>({}, r).find(line), std::string::npos) << line;
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

// Which entries count, and how the totals list them.
TEST(TextReport, FiltersAndTotals) {
  const struct {
    const char* name;
    std::string report;
    const char* totals;
  } cases[] = {
      {"the filter takes its category by name in any case, never as a pattern",
       report({entry(at(2003, 1, 5, 9), 10, "Design"), entry(at(2003, 1, 5, 10), 20, "DESIGN"),
               entry(at(2003, 1, 5, 11), 30, "D*"), entry(at(2003, 1, 5, 12), 40, "Design, Admin"),
               entry(at(2003, 1, 5, 13), 50, ""), entry(at(2003, 1, 5, 14), 50, "*"),
               startMarker(at(2003, 1, 5, 8))},
              "", "", "design"),
       "Design: 30 minutes\r\n"},
      {"a ticket number is no pattern in the filter",
       report(
           {entry(at(2003, 1, 5, 9), 10, "Ticket #2"), entry(at(2003, 1, 5, 10), 20, "Ticket 42"),
            entry(at(2003, 1, 5, 11), 5, "ticket 4?")},
           "", "", "Ticket 42"),
       "Ticket 42: 20 minutes\r\n"},
      {"first spelling in order of first count; marker categories left out",
       report({entry(at(2003, 1, 5, 9), 10, "Zeta"), entry(at(2003, 1, 5, 10), 20, "Design"),
               entry(at(2003, 1, 5, 11), 30, "design"), entry(at(2003, 1, 5, 12), 40, "TWEvent")}),
       "Zeta: 10 minutes\r\nDesign: 50 minutes\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(totals(c.report), c.totals) << c.name;
}

TEST(TextReport, RepeatedSubjectsArePrintedAndCounted) {
  // Pause and Start again on one task gives two entries of one subject in a row.
  const std::string text = report({entry(at(2003, 1, 5, 9), 30, "Design", "Page layout"),
                                   stopMarker(at(2003, 1, 5, 9, 30)),
                                   entry(at(2003, 1, 5, 10), 45, "Design", "Page layout"),
                                   entry(at(2003, 1, 6, 9), 15, "Design", "Page layout"),
                                   entry(at(2003, 1, 6, 10), 10, "TWEvent", "Page layout")});
  std::size_t count = 0;
  for (auto p = text.find("    Page layout\r\n"); p != std::string::npos;
       p = text.find("    Page layout\r\n", p + 1))
    ++count;
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(totals(text), "Design: 1 hour, 30 minutes\r\n");
  EXPECT_NE(text.find("    TWEvent: 10 minutes (Task)\r\n"), std::string::npos);
}

TEST(TextReport, DurationFormsAndTheOrderOfEqualStarts) {
  const std::string text =
      report({entry(at(2003, 1, 5, 9), 60, "A"), entry(at(2003, 1, 5, 10), 61, "B"),
              entry(at(2003, 1, 5, 12), 150, "C"), entry(at(2003, 1, 5, 23, 30), 45, "Night"),
              entry(at(2003, 1, 5, 23, 50), -5, "Negative"), entry(at(2003, 1, 5, 9), 1, "Y"),
              entry(at(2003, 1, 5, 9), 1, "X")});
  for (const char* part :
       {"    A: 1 hour (Task)\r\n    9:00:00 AM through 10:00:00 AM\r\n",
        "    B: 1 hour, 1 minutes (Task)\r\n", "    C: 2 hours, 30 minutes (Task)\r\n",
        // Past midnight the end shows only its time of day.
        "    11:30:00 PM through 12:15:00 AM\r\n",
        "    Negative: -5 minutes (Task)\r\n    11:50:00 PM\r\n"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_LT(text.find("    Y: "), text.find("    X: "));
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
    EXPECT_NE(report({c.e}).find(c.shown), std::string::npos) << c.shown << "\n" << report({c.e});
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

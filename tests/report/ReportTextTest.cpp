#include <gtest/gtest.h>

#include "ReportFixture.h"
#include "model/DateTimeError.h"

using namespace tw::test;
using tw::Report;

namespace {

using Entries = std::vector<std::shared_ptr<tw::JournalEntry>>;

Report report(const Entries& entries, const char* from = "", const char* to = "",
              const char* category = "") {
  return tw::test::makeReport(entries, from, to, category);
}

std::string totals(const std::string& text) {
  return text.substr(text.find("TOTALS:\r\n-------\r\n") + 18);
}

}  // namespace

TEST(ReportText, LayoutOfOneDay) {
  Report r = report(
      {stopMarker(at(2002, 1, 2, 11, 1)), entry(at(2002, 1, 2, 10, 40), 20, "Design", "Review"),
       entry(at(2002, 1, 2, 9, 0), 95, "Design", "Page layout"),
       startMarker(at(2002, 1, 2, 8, 59))},
      "1/2/2002", "1/2/2002");
  EXPECT_EQ(r.Generate(),
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
  EXPECT_EQ(
      report({startMarker(at(2003, 1, 6)), entry(at(2003, 1, 6, 9), 0, "Admin", "Mail", "PJ_Task")})
          .Generate(),
      "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n"
      "\r\n[Monday, January 06, 2003]\r\n\r\n"
      "  Start Work: 1/6/2003\r\n\r\n"
      "    Admin: 0 minutes (PJ_Task)\r\n"
      "    9:00:00 AM\r\n"
      "    Mail\r\n\r\n"
      "\r\nTOTALS:\r\n-------\r\nAdmin: 0 minutes\r\n");
}

TEST(ReportText, RangeLineAndDefaultBounds) {
  Report empty;
  EXPECT_EQ(empty.Generate(),
            "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n\r\nTOTALS:\r\n-------\r\n");
  EXPECT_EQ(empty.startdate, "1/1/1900");
  EXPECT_EQ(empty.enddate, "1/1/2999");
  // A second call sees the defaults written by the first.
  EXPECT_EQ(empty.Generate().substr(16, 47), "Range: 1/1/1900 through 1/1/2999, Category: ALL");
  Report onlyStart = report({}, "1/5/2003", "", "Design");
  EXPECT_NE(onlyStart.Generate().find("\r\nRange: 1/5/2003 ->, Category: Design\r\n"),
            std::string::npos);
  EXPECT_EQ(onlyStart.enddate, "1/1/2999");
  Report onlyEnd = report({}, "", "1/7/2003");
  EXPECT_NE(onlyEnd.Generate().find("\r\nRange: <- 1/7/2003, Category: ALL\r\n"),
            std::string::npos);
  EXPECT_EQ(onlyEnd.startdate, "1/1/1900");
}

// Which entries count, and how the totals list them.
TEST(ReportText, FiltersAndTotals) {
  const struct {
    const char* name;
    Report report;
    const char* totals;
  } cases[] = {
      {"bounds cover whole days",
       report({entry(at(2003, 1, 4, 23, 59, 59), 1, "Before"), entry(at(2003, 1, 5), 1, "First"),
               entry(at(2003, 1, 6, 23, 59, 59), 1, "Last"), entry(at(2003, 1, 7), 1, "After")},
              "1/5/2003", "1/6/2003"),
       "First: 1 minutes\r\nLast: 1 minutes\r\n"},
      {"bounds with a time of day count from midnight",
       report({entry(at(2003, 1, 5, 8), 5, "Early"), entry(at(2003, 1, 5, 22), 5, "Late")},
              "1/5/2003 3:00 PM", "1/5/2003 9:00 AM"),
       "Early: 5 minutes\r\nLate: 5 minutes\r\n"},
      {"entry categories are patterns; markers and lists are left out",
       report({entry(at(2003, 1, 5, 9), 10, "Design"), entry(at(2003, 1, 5, 10), 20, "DESIGN"),
               entry(at(2003, 1, 5, 11), 30, "D*"), entry(at(2003, 1, 5, 12), 40, "Design, Admin"),
               entry(at(2003, 1, 5, 13), 50, ""), startMarker(at(2003, 1, 5, 8))},
              "", "", "Design"),
       "Design: 1 hour\r\n"},
      {"first spelling in order of first count; marker categories left out",
       report({entry(at(2003, 1, 5, 9), 10, "Zeta"), entry(at(2003, 1, 5, 10), 20, "Design"),
               entry(at(2003, 1, 5, 11), 30, "design"), entry(at(2003, 1, 5, 12), 40, "TWEvent")}),
       "Zeta: 10 minutes\r\nDesign: 50 minutes\r\n"},
      {"names with wildcard characters total once",
       report({entry(at(2003, 1, 5, 9), 10, "Project #1"), entry(at(2003, 1, 5, 10), 20, "[x]"),
               entry(at(2003, 1, 5, 11), 30, "Project #1"), entry(at(2003, 1, 5, 12), 40, "[x]"),
               entry(at(2003, 1, 5, 13), 5, "[open"), entry(at(2003, 1, 5, 14), 5, "[open")}),
       "Project #1: 40 minutes\r\n[x]: 1 hour\r\n[open: 10 minutes\r\n"},
      {"malformed filter matches itself only",
       report({entry(at(2003, 1, 5, 13), 5, "[open"), entry(at(2003, 1, 5, 14), 5, "open")}, "", "",
              "[OPEN"),
       "[open: 5 minutes\r\n"},
  };
  for (auto c : cases) EXPECT_EQ(totals(c.report.Generate()), c.totals) << c.name;
  EXPECT_EQ(Report(cases[2].report).Generate().find("Start Work"), std::string::npos);
}

TEST(ReportText, RepeatedSubjectsArePrintedAndCounted) {
  // Pause and Start again on one task gives two entries of one subject in a row.
  Report r = report({entry(at(2003, 1, 5, 9), 30, "Design", "Page layout"),
                     stopMarker(at(2003, 1, 5, 9, 30)),
                     entry(at(2003, 1, 5, 10), 45, "Design", "Page layout"),
                     entry(at(2003, 1, 6, 9), 15, "Design", "Page layout"),
                     entry(at(2003, 1, 6, 10), 10, "TWEvent", "Page layout")});
  const std::string text = r.Generate();
  std::size_t count = 0;
  for (std::size_t p = text.find("    Page layout\r\n"); p != std::string::npos;
       p = text.find("    Page layout\r\n", p + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(totals(text), "Design: 1 hour, 30 minutes\r\n");
  EXPECT_NE(text.find("    TWEvent: 10 minutes (Task)\r\n"), std::string::npos);
}

TEST(ReportText, DurationForms) {
  const std::string text =
      report({entry(at(2003, 1, 5, 9), 60, "A"), entry(at(2003, 1, 5, 10), 61, "B"),
              entry(at(2003, 1, 5, 12), 150, "C"), entry(at(2003, 1, 5, 23, 30), 45, "Night"),
              entry(at(2003, 1, 5, 23, 50), -5, "Negative")})
          .Generate();
  for (const char* part :
       {"    A: 1 hour (Task)\r\n    9:00:00 AM through 10:00:00 AM\r\n",
        "    B: 1 hour, 1 minutes (Task)\r\n", "    C: 2 hours, 30 minutes (Task)\r\n",
        // Past midnight the end shows only its time of day.
        "    11:30:00 PM through 12:15:00 AM\r\n",
        "    Negative: -5 minutes (Task)\r\n    11:50:00 PM\r\n"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
}

TEST(ReportText, AdditionOrderDoesNotMatterExceptForEqualStarts) {
  const auto a = entry(at(2003, 1, 5, 9), 10, "A", "first");
  const auto b = entry(at(2003, 1, 5, 10), 10, "B", "second");
  const auto c = entry(at(2003, 1, 6, 9), 10, "C", "third");
  EXPECT_EQ(report({a, b, c}).Generate(), report({c, b, a}).Generate());

  const auto x = entry(at(2003, 1, 5, 9), 1, "X", "x");
  const auto y = entry(at(2003, 1, 5, 9), 1, "Y", "y");
  const auto z = entry(at(2003, 1, 5, 8), 1, "Z", "z");
  Report same = report({y, x, z});
  EXPECT_EQ(same.Entries(), (Entries{z, y, x}));
  same.Add(x);
  EXPECT_EQ(same.Entries(), (Entries{z, y, x, x}));
  same.Reset();
  EXPECT_TRUE(same.Entries().empty());
}

TEST(ReportText, FailuresOfTheBounds) {
  Report r;
  r.startdate = "not a date";
  EXPECT_NO_THROW(r.Generate());  // an unreadable bound fails only with entries
  r.Add(entry(at(2003, 1, 5, 9), 10, "A"));
  EXPECT_THROW(r.Generate(), tw::DateTimeError);
  EXPECT_FALSE(r.Save("anything.txt"));
  // A range ending on the last representable day needs the day after it.
  Report last = report({entry(at(9999, 12, 31, 23, 59), 5, "A")}, "12/31/9999", "12/30/9999");
  EXPECT_NO_THROW(last.Generate());
  last.enddate = "12/31/9999";
  EXPECT_THROW(last.Generate(), tw::DateTimeError);
}

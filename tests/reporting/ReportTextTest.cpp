#include <gtest/gtest.h>

#include "ReportFixture.h"
#include "model/DateTimeError.h"

using namespace tw::test;
using tw::Report;

namespace {

// The report's day sections and totals, with the two heading lines left out.
std::string body(const std::string& text) {
  const std::size_t second = text.find("\r\n", text.find("\r\n") + 2);
  return text.substr(second + 2);
}

std::string totals(const std::string& text) {
  return text.substr(text.find("TOTALS:"));
}

}  // namespace

TEST(ReportText, LayoutOfOneDay) {
  Report r;
  r.startdate = "1/2/2002";
  r.enddate = "1/2/2002";
  r.Add(stopMarker(at(2002, 1, 2, 11, 1)));
  r.Add(entry(at(2002, 1, 2, 10, 40), 20, "Design", "Review"));
  r.Add(entry(at(2002, 1, 2, 9, 0), 95, "Design", "Page layout"));
  r.Add(startMarker(at(2002, 1, 2, 8, 59)));
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
}

TEST(ReportText, EmptyReportAndDefaultBounds) {
  Report r;
  EXPECT_EQ(r.Generate(),
            "JOURNAL REPORT\r\nRange: ALL, Category: ALL\r\n\r\nTOTALS:\r\n-------\r\n");
  EXPECT_EQ(r.startdate, "1/1/1900");
  EXPECT_EQ(r.enddate, "1/1/2999");
  // A second call sees the defaults written by the first.
  EXPECT_EQ(r.Generate().substr(16, 47), "Range: 1/1/1900 through 1/1/2999, Category: ALL");
}

TEST(ReportText, RangeLineForEachBoundCombination) {
  Report onlyStart;
  onlyStart.startdate = "1/5/2003";
  onlyStart.Category = "Design";
  EXPECT_NE(onlyStart.Generate().find("\r\nRange: 1/5/2003 ->, Category: Design\r\n"),
            std::string::npos);
  EXPECT_EQ(onlyStart.enddate, "1/1/2999");
  Report onlyEnd;
  onlyEnd.enddate = "1/7/2003";
  EXPECT_NE(onlyEnd.Generate().find("\r\nRange: <- 1/7/2003, Category: ALL\r\n"),
            std::string::npos);
  EXPECT_EQ(onlyEnd.startdate, "1/1/1900");
}

TEST(ReportText, DateBoundsCoverWholeDays) {
  Report r;
  r.startdate = "1/5/2003";
  r.enddate = "1/6/2003";
  r.Add(entry(at(2003, 1, 4, 23, 59, 59), 1, "Before"));
  r.Add(entry(at(2003, 1, 5), 1, "FirstMidnight"));
  r.Add(entry(at(2003, 1, 6, 23, 59, 59), 1, "LastSecond"));
  r.Add(entry(at(2003, 1, 7), 1, "After"));
  EXPECT_EQ(totals(r.Generate()),
            "TOTALS:\r\n-------\r\nFirstMidnight: 1 minutes\r\nLastSecond: 1 minutes\r\n");
}

TEST(ReportText, BoundsWithATimeOfDayCountFromMidnight) {
  Report r;
  r.startdate = "1/5/2003 3:00 PM";
  r.enddate = "1/5/2003 9:00 AM";
  r.Add(entry(at(2003, 1, 5, 8), 5, "Early"));
  r.Add(entry(at(2003, 1, 5, 22), 5, "Late"));
  EXPECT_EQ(totals(r.Generate()), "TOTALS:\r\n-------\r\nEarly: 5 minutes\r\nLate: 5 minutes\r\n");
}

TEST(ReportText, CategoryFilterTakesEntryCategoriesAsPatterns) {
  Report r;
  r.Category = "Design";
  r.Add(entry(at(2003, 1, 5, 9), 10, "Design", "a"));
  r.Add(entry(at(2003, 1, 5, 10), 20, "DESIGN", "b"));
  r.Add(entry(at(2003, 1, 5, 11), 30, "D*", "c"));
  r.Add(entry(at(2003, 1, 5, 12), 40, "Design, Admin", "d"));
  r.Add(entry(at(2003, 1, 5, 13), 50, "", "e"));
  r.Add(startMarker(at(2003, 1, 5, 8)));
  const std::string text = r.Generate();
  EXPECT_EQ(totals(text), "TOTALS:\r\n-------\r\nDesign: 1 hour\r\n");
  EXPECT_EQ(text.find("Start Work"), std::string::npos);
  EXPECT_EQ(text.find("Design, Admin"), std::string::npos);
}

TEST(ReportText, RepeatedSubjectsArePrintedAndCounted) {
  // Pause and Start again on one task gives two entries of one subject in a row.
  Report r;
  r.Add(entry(at(2003, 1, 5, 9), 30, "Design", "Page layout"));
  r.Add(stopMarker(at(2003, 1, 5, 9, 30)));
  r.Add(entry(at(2003, 1, 5, 10), 45, "Design", "Page layout"));
  r.Add(entry(at(2003, 1, 6, 9), 15, "Design", "Page layout"));
  const std::string text = r.Generate();
  std::size_t count = 0;
  for (std::size_t p = text.find("    Page layout\r\n"); p != std::string::npos;
       p = text.find("    Page layout\r\n", p + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(totals(text), "TOTALS:\r\n-------\r\nDesign: 1 hour, 30 minutes\r\n");
}

TEST(ReportText, MarkerOpensTheDayItFallsOn) {
  Report r;
  r.Add(startMarker(at(2003, 1, 6)));
  r.Add(entry(at(2003, 1, 6, 9), 0, "Admin", "Mail", "PJ_Task"));
  EXPECT_EQ(body(r.Generate()),
            "\r\n[Monday, January 06, 2003]\r\n\r\n"
            "  Start Work: 1/6/2003\r\n\r\n"
            "    Admin: 0 minutes (PJ_Task)\r\n"
            "    9:00:00 AM\r\n"
            "    Mail\r\n\r\n"
            "\r\nTOTALS:\r\n-------\r\nAdmin: 0 minutes\r\n");
}

TEST(ReportText, DurationForms) {
  Report r;
  r.Add(entry(at(2003, 1, 5, 9), 60, "A"));
  r.Add(entry(at(2003, 1, 5, 10), 61, "B"));
  r.Add(entry(at(2003, 1, 5, 12), 150, "C"));
  r.Add(entry(at(2003, 1, 5, 23, 30), 45, "Night"));
  r.Add(entry(at(2003, 1, 5, 23, 50), -5, "Negative"));
  const std::string text = r.Generate();
  EXPECT_NE(text.find("    A: 1 hour (Task)\r\n    9:00:00 AM through 10:00:00 AM\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("    B: 1 hour, 1 minutes (Task)\r\n"), std::string::npos);
  EXPECT_NE(text.find("    C: 2 hours, 30 minutes (Task)\r\n"), std::string::npos);
  // Past midnight the end shows only its time of day.
  EXPECT_NE(text.find("    11:30:00 PM through 12:15:00 AM\r\n"), std::string::npos);
  EXPECT_NE(text.find("    Negative: -5 minutes (Task)\r\n    11:50:00 PM\r\n"), std::string::npos);
}

TEST(ReportText, EntryOnTheLastRepresentableDay) {
  Report r;
  r.startdate = "12/31/9999";
  r.enddate = "12/30/9999";
  r.Add(entry(at(9999, 12, 31, 23, 59), 5, "A"));
  EXPECT_NO_THROW(r.Generate());
  // The range ending on the last day needs the day after it.
  r.enddate = "12/31/9999";
  EXPECT_THROW(r.Generate(), tw::DateTimeError);
}

TEST(ReportText, TotalsInOrderOfFirstCountKeepingFirstSpelling) {
  Report r;
  r.Add(entry(at(2003, 1, 5, 9), 10, "Zeta"));
  r.Add(entry(at(2003, 1, 5, 10), 20, "Design"));
  r.Add(entry(at(2003, 1, 5, 11), 30, "design"));
  r.Add(entry(at(2003, 1, 5, 12), 40, "TWEvent"));
  const std::string text = r.Generate();
  EXPECT_EQ(totals(text), "TOTALS:\r\n-------\r\nZeta: 10 minutes\r\nDesign: 50 minutes\r\n");
  EXPECT_NE(text.find("    TWEvent: 40 minutes (Task)\r\n"), std::string::npos);
}

TEST(ReportText, NamesWithWildcardCharactersTotalOnce) {
  Report r;
  r.Add(entry(at(2003, 1, 5, 9), 10, "Project #1"));
  r.Add(entry(at(2003, 1, 5, 10), 20, "[x]"));
  r.Add(entry(at(2003, 1, 5, 11), 30, "Project #1"));
  r.Add(entry(at(2003, 1, 5, 12), 40, "[x]"));
  r.Add(entry(at(2003, 1, 5, 13), 5, "[open"));
  r.Add(entry(at(2003, 1, 5, 14), 5, "[open"));
  EXPECT_EQ(totals(r.Generate()),
            "TOTALS:\r\n-------\r\nProject #1: 40 minutes\r\n[x]: 1 hour\r\n"
            "[open: 10 minutes\r\n");
  Report filtered;
  filtered.Category = "[OPEN";
  filtered.Add(entry(at(2003, 1, 5, 13), 5, "[open"));
  filtered.Add(entry(at(2003, 1, 5, 14), 5, "open"));
  EXPECT_EQ(totals(filtered.Generate()), "TOTALS:\r\n-------\r\n[open: 5 minutes\r\n");
}

TEST(ReportText, AdditionOrderDoesNotMatterExceptForEqualStarts) {
  const auto a = entry(at(2003, 1, 5, 9), 10, "A", "first");
  const auto b = entry(at(2003, 1, 5, 10), 10, "B", "second");
  const auto c = entry(at(2003, 1, 6, 9), 10, "C", "third");
  Report forward, backward;
  for (const auto& e : {a, b, c}) forward.Add(e);
  for (const auto& e : {c, b, a}) backward.Add(e);
  EXPECT_EQ(forward.Generate(), backward.Generate());

  Report same;
  const auto x = entry(at(2003, 1, 5, 9), 1, "X", "x");
  const auto y = entry(at(2003, 1, 5, 9), 1, "Y", "y");
  const auto z = entry(at(2003, 1, 5, 8), 1, "Z", "z");
  for (const auto& e : {y, x, z}) same.Add(e);
  EXPECT_EQ(same.Entries(), (std::vector<std::shared_ptr<tw::JournalEntry>>{z, y, x}));
  same.Add(x);
  EXPECT_EQ(same.Entries().size(), 4u);
  EXPECT_EQ(same.Entries().back(), x);
  same.Reset();
  EXPECT_TRUE(same.Entries().empty());
}

TEST(ReportText, UnreadableBoundFailsOnlyWithEntries) {
  Report r;
  r.startdate = "not a date";
  EXPECT_NO_THROW(r.Generate());
  r.Add(entry(at(2003, 1, 5, 9), 10, "A"));
  EXPECT_THROW(r.Generate(), tw::DateTimeError);
  EXPECT_FALSE(r.Save("anything.txt"));
}

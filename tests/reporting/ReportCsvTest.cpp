#include <gtest/gtest.h>

#include <stdexcept>

#include "ReportFixture.h"
#include "model/DateTimeError.h"

using namespace tw::test;
using tw::Report;

namespace {

Report range(const char* from, const char* to, const char* category = "") {
  Report r;
  r.startdate = from;
  r.enddate = to;
  r.Category = category;
  return r;
}

}  // namespace

TEST(ReportCsv, LayoutOfThreeDays) {
  Report r = range("1/5/2003", "1/7/2003");
  r.Add(entry(at(2003, 1, 7, 9), 30, "Projects"));
  r.Add(entry(at(2003, 1, 6, 14), 20, "Admin"));
  r.Add(entry(at(2003, 1, 5, 9), 90, "Projects"));
  EXPECT_EQ(r.CSV(),
            "category,1/5/2003,1/6/2003,1/7/2003\r\n"
            "Projects,1.5,0,0.5\r\n"
            "Admin,0,0.33,0\r\n");
  // Unlike Generate, CSV leaves the fields alone.
  EXPECT_EQ(r.startdate, "1/5/2003");
}

TEST(ReportCsv, RangeShapes) {
  Report backwards = range("1/7/2003", "1/5/2003");
  backwards.Add(entry(at(2003, 1, 6, 9), 30, "Projects"));
  EXPECT_EQ(backwards.CSV(), "category\r\n");

  Report oneDay = range("1/6/2003", "1/6/2003");
  oneDay.Add(entry(at(2003, 1, 6, 9), 60, "Projects"));
  oneDay.Add(entry(at(2003, 1, 7, 9), 60, "Later"));
  EXPECT_EQ(oneDay.CSV(), "category,1/6/2003\r\nProjects,1\r\n");

  EXPECT_EQ(range("12/31/2003", "1/1/2004").CSV(), "category,12/31/2003,1/1/2004\r\n");
}

TEST(ReportCsv, BothBoundsMustRead) {
  Report r = range("", "1/7/2003");
  EXPECT_THROW(r.CSV(), tw::DateTimeError);
  r = range("1/5/2003", "soon");
  EXPECT_THROW(r.CSV(), tw::DateTimeError);
}

TEST(ReportCsv, EntriesCountOnTheirCalendarDay) {
  Report r = range("1/5/2003", "1/6/2003");
  r.Add(entry(at(2003, 1, 5, 23, 59), 20, "A"));
  r.Add(entry(at(2003, 1, 5, 0, 0), 40, "A"));
  r.Add(entry(at(2003, 1, 4, 23, 59), 60, "A"));
  r.Add(entry(at(2003, 1, 7, 0, 0), 60, "A"));
  EXPECT_EQ(r.CSV(), "category,1/5/2003,1/6/2003\r\nA,1,0\r\n");
}

TEST(ReportCsv, RepeatedSubjectsAllCount) {
  Report r = range("1/5/2003", "1/5/2003");
  r.Add(entry(at(2003, 1, 5, 9), 20, "A", "Same"));
  r.Add(entry(at(2003, 1, 5, 10), 20, "a", "Same"));
  EXPECT_EQ(r.CSV(), "category,1/5/2003\r\nA,0.67\r\n");
}

TEST(ReportCsv, CategoryTestTakesEntryCategoriesAsPatterns) {
  const auto addAll = [](Report& r) {
    r.Add(entry(at(2003, 1, 5, 9), 60, "Projects"));
    r.Add(entry(at(2003, 1, 5, 10), 30, "Project X"));
    r.Add(entry(at(2003, 1, 5, 11), 6, "Proj*"));
  };
  Report upper = range("1/5/2003", "1/5/2003", "PROJECTS");
  addAll(upper);
  EXPECT_EQ(upper.CSV(), "category,1/5/2003\r\nProjects,1.1\r\n");
  Report pattern = range("1/5/2003", "1/5/2003", "Proj*");
  addAll(pattern);
  EXPECT_EQ(pattern.CSV(), "category,1/5/2003\r\nProj*,0.1\r\n");
  Report other = range("1/5/2003", "1/5/2003", "PROJECT X");
  addAll(other);
  EXPECT_EQ(other.CSV(), "category,1/5/2003\r\nProject X,0.6\r\n");
}

TEST(ReportCsv, RowsFollowFirstAppearanceAndSkipMarkers) {
  Report r = range("1/5/2003", "1/6/2003");
  r.Add(entry(at(2003, 1, 6, 9), 60, "Zeta"));
  r.Add(entry(at(2003, 1, 5, 10), 60, "twevent"));
  r.Add(entry(at(2003, 1, 5, 11), 60, ""));
  r.Add(startMarker(at(2003, 1, 5, 8)));
  r.Add(entry(at(2003, 1, 6, 10), 30, "ZETA"));
  EXPECT_EQ(r.CSV(),
            "category,1/5/2003,1/6/2003\r\n"
            "twevent,1,0\r\n"
            ",1,0\r\n"
            "Zeta,0,1.5\r\n");
  Report marker = range("1/5/2003", "1/5/2003");
  marker.Add(entry(at(2003, 1, 5, 9), 60, "TWEvent"));
  EXPECT_EQ(marker.CSV(), "category,1/5/2003\r\n");
}

TEST(ReportCsv, NamesNeedingQuotesAreQuoted) {
  Report r = range("1/5/2003", "1/5/2003");
  r.Add(entry(at(2003, 1, 5, 9), 60, "Design, Admin"));
  r.Add(entry(at(2003, 1, 5, 10), 30, "The \"big\" one"));
  r.Add(entry(at(2003, 1, 5, 11), 30, "Two\r\nlines"));
  r.Add(entry(at(2003, 1, 5, 12), 30, "Plain; text"));
  EXPECT_EQ(r.CSV(),
            "category,1/5/2003\r\n"
            "\"Design, Admin\",1\r\n"
            "\"The \"\"big\"\" one\",0.5\r\n"
            "\"Two\r\nlines\",0.5\r\n"
            "Plain; text,0.5\r\n");
}

TEST(ReportCsv, NamesWithWildcardCharactersKeepTheirHours) {
  Report r = range("1/5/2003", "1/6/2003");
  r.Add(entry(at(2003, 1, 5, 9), 60, "Project #1"));
  r.Add(entry(at(2003, 1, 5, 10), 30, "[x]"));
  r.Add(entry(at(2003, 1, 6, 9), 30, "Project #1"));
  r.Add(entry(at(2003, 1, 6, 10), 15, "[open"));
  r.Add(entry(at(2003, 1, 6, 11), 15, "[OPEN"));
  EXPECT_EQ(r.CSV(),
            "category,1/5/2003,1/6/2003\r\n"
            "Project #1,1,0.5\r\n"
            "[x],0.5,0\r\n"
            "[open,0,0.5\r\n");
}

TEST(ReportCsv, RangeEndingOnTheLastRepresentableDay) {
  Report r = range("12/30/9999", "12/31/9999");
  r.Add(entry(at(9999, 12, 31, 23), 60, "A"));
  EXPECT_EQ(r.CSV(), "category,12/30/9999,12/31/9999\r\nA,0,1\r\n");
}

TEST(ReportCsv, BoundWithATimeOfDayMatchesNoEntry) {
  Report r = range("1/5/2003 9:00 AM", "1/6/2003");
  r.Add(entry(at(2003, 1, 5, 9), 60, "A"));
  EXPECT_EQ(r.CSV(), "category,1/5/2003 9:00:00 AM\r\n");
}

TEST(ReportCsv, TotalBeyondThirtyTwoBitsFails) {
  Report r = range("1/5/2003", "1/5/2003");
  r.Add(entry(at(2003, 1, 5, 9), 2147483647, "A"));
  r.Add(entry(at(2003, 1, 5, 10), 1, "A"));
  EXPECT_THROW(r.CSV(), std::overflow_error);
}

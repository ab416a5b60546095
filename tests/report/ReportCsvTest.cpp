#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ReportFixture.h"
#include "model/DateTimeError.h"

using namespace tw::test;
using tw::Report;

namespace {

using Entries = std::vector<std::shared_ptr<tw::JournalEntry>>;

Report range(const char* from, const char* to, const Entries& entries = {},
             const char* category = "") {
  return tw::test::makeReport(entries, from, to, category);
}

}  // namespace

TEST(ReportCsv, LayoutAndSelection) {
  const Entries wildcards = {
      entry(at(2003, 1, 5, 9), 60, "Project #1"), entry(at(2003, 1, 5, 10), 30, "[x]"),
      entry(at(2003, 1, 6, 9), 30, "Project #1"), entry(at(2003, 1, 6, 10), 15, "[open"),
      entry(at(2003, 1, 6, 11), 15, "[OPEN")};
  const Entries patterns = {entry(at(2003, 1, 5, 9), 60, "Projects"),
                            entry(at(2003, 1, 5, 10), 30, "Project X"),
                            entry(at(2003, 1, 5, 11), 6, "Proj*")};
  const struct {
    const char* name;
    Report report;
    const char* csv;
  } cases[] = {
      {"three days",
       range("1/5/2003", "1/7/2003",
             {entry(at(2003, 1, 7, 9), 30, "Projects"), entry(at(2003, 1, 6, 14), 20, "Admin"),
              entry(at(2003, 1, 5, 9), 90, "Projects")}),
       "category,1/5/2003,1/6/2003,1/7/2003\r\nProjects,1.5,0,0.5\r\nAdmin,0,0.33,0\r\n"},
      {"backwards range", range("1/7/2003", "1/5/2003", {entry(at(2003, 1, 6, 9), 30, "P")}),
       "category\r\n"},
      {"one day",
       range("1/6/2003", "1/6/2003",
             {entry(at(2003, 1, 6, 9), 60, "Projects"), entry(at(2003, 1, 7, 9), 60, "Later")}),
       "category,1/6/2003\r\nProjects,1\r\n"},
      {"year end", range("12/31/2003", "1/1/2004"), "category,12/31/2003,1/1/2004\r\n"},
      {"calendar days",
       range("1/5/2003", "1/6/2003",
             {entry(at(2003, 1, 5, 23, 59), 20, "A"), entry(at(2003, 1, 5), 40, "A"),
              entry(at(2003, 1, 4, 23, 59), 60, "A"), entry(at(2003, 1, 7), 60, "A")}),
       "category,1/5/2003,1/6/2003\r\nA,1,0\r\n"},
      {"repeated subjects all count",
       range(
           "1/5/2003", "1/5/2003",
           {entry(at(2003, 1, 5, 9), 20, "A", "Same"), entry(at(2003, 1, 5, 10), 20, "a", "Same")}),
       "category,1/5/2003\r\nA,0.67\r\n"},
      {"filter in other case", range("1/5/2003", "1/5/2003", patterns, "PROJECTS"),
       "category,1/5/2003\r\nProjects,1.1\r\n"},
      {"filter as pattern", range("1/5/2003", "1/5/2003", patterns, "Proj*"),
       "category,1/5/2003\r\nProj*,0.1\r\n"},
      {"filter with blank", range("1/5/2003", "1/5/2003", patterns, "PROJECT X"),
       "category,1/5/2003\r\nProject X,0.6\r\n"},
      {"first appearance, markers skipped",
       range("1/5/2003", "1/6/2003",
             {entry(at(2003, 1, 6, 9), 60, "Zeta"), entry(at(2003, 1, 5, 10), 60, "twevent"),
              entry(at(2003, 1, 5, 11), 60, ""), startMarker(at(2003, 1, 5, 8)),
              entry(at(2003, 1, 6, 10), 30, "ZETA")}),
       "category,1/5/2003,1/6/2003\r\ntwevent,1,0\r\n,1,0\r\nZeta,0,1.5\r\n"},
      {"marker category", range("1/5/2003", "1/5/2003", {entry(at(2003, 1, 5, 9), 60, "TWEvent")}),
       "category,1/5/2003\r\n"},
      {"quoted names",
       range("1/5/2003", "1/5/2003",
             {entry(at(2003, 1, 5, 9), 60, "Design, Admin"),
              entry(at(2003, 1, 5, 10), 30, "The \"big\" one"),
              entry(at(2003, 1, 5, 11), 30, "Two\r\nlines"),
              entry(at(2003, 1, 5, 12), 30, "Plain; text")}),
       "category,1/5/2003\r\n\"Design, Admin\",1\r\n\"The \"\"big\"\" one\",0.5\r\n"
       "\"Two\r\nlines\",0.5\r\nPlain; text,0.5\r\n"},
      {"wildcard names keep their hours", range("1/5/2003", "1/6/2003", wildcards),
       "category,1/5/2003,1/6/2003\r\nProject #1,1,0.5\r\n[x],0.5,0\r\n[open,0,0.5\r\n"},
      {"last representable day",
       range("12/30/9999", "12/31/9999", {entry(at(9999, 12, 31, 23), 60, "A")}),
       "category,12/30/9999,12/31/9999\r\nA,0,1\r\n"},
      {"bound with a time of day",
       range("1/5/2003 9:00 AM", "1/6/2003", {entry(at(2003, 1, 5, 9), 60, "A")}),
       "category,1/5/2003 9:00:00 AM\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.report.CSV(), c.csv) << c.name;
  // Unlike Generate, CSV leaves the fields alone.
  EXPECT_EQ(cases[0].report.startdate, "1/5/2003");
}

TEST(ReportCsv, FailsOnUnreadableBoundsAndTotalsBeyondThirtyTwoBits) {
  EXPECT_THROW(range("", "1/7/2003").CSV(), tw::DateTimeError);
  EXPECT_THROW(range("1/5/2003", "soon").CSV(), tw::DateTimeError);
  Report r = range("1/5/2003", "1/5/2003",
                   {entry(at(2003, 1, 5, 9), 2147483647, "A"), entry(at(2003, 1, 5, 10), 1, "A")});
  EXPECT_THROW(r.CSV(), std::overflow_error);
}

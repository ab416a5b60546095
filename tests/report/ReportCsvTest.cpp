#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ReportFixture.h"
#include "core/DateTimeError.h"

namespace tw {
namespace {

using namespace test;
using Entries = std::vector<JournalEntry>;

std::string csv(const char* from, const char* to, const Entries& entries = {},
                const char* category = "") {
  return render<CsvReport>(entries, request(from, to, category));
}

TEST(CsvReport, LayoutAndSelection) {
  const struct {
    const char* name;
    std::string csv;
    const char* expected;
  } cases[] = {
      {"three days",
       csv("1/5/2003", "1/7/2003",
           {entry(at(2003, 1, 7, 9), 30, "Projects"), entry(at(2003, 1, 6, 14), 20, "Admin"),
            entry(at(2003, 1, 5, 9), 90, "Projects")}),
       "category,1/5/2003,1/6/2003,1/7/2003\r\nProjects,1.5,0,0.5\r\nAdmin,0,0.33,0\r\n"},
      {"backwards range", csv("1/7/2003", "1/5/2003"), "category\r\n"},
      {"year end", csv("12/31/2003", "1/1/2004"), "category,12/31/2003,1/1/2004\r\n"},
      {"quoted names and no formulas",
       csv("1/5/2003", "1/5/2003",
           {entry(at(2003, 1, 5, 9), 60, "Design, Admin"),
            entry(at(2003, 1, 5, 10), 30, "The \"big\" one"),
            entry(at(2003, 1, 5, 11), 30, "Two\r\nlines"), entry(at(2003, 1, 5, 12), 6, "=1+2"),
            entry(at(2003, 1, 5, 13), 6, "@SUM(A1)"), entry(at(2003, 1, 5, 14), 6, "-5"),
            entry(at(2003, 1, 5, 15), 6, "+cmd|' /C calc'!A0"),
            entry(at(2003, 1, 5, 16), 6, "\tx")}),
       "category,1/5/2003\r\n\"Design, Admin\",1\r\n\"The \"\"big\"\" one\",0.5\r\n"
       "\"Two\r\nlines\",0.5\r\n'=1+2,0.1\r\n'@SUM(A1),0.1\r\n-5,0.1\r\n'+cmd|' /C calc'!A0,0.1\r\n"
       "'\tx,0.1\r\n"},
      {"last representable day",
       csv("12/30/9999", "12/31/9999", {entry(at(9999, 12, 31, 23), 60, "A")}),
       "category,12/30/9999,12/31/9999\r\nA,0,1\r\n"},
      {"bound with a time of day",
       csv("1/5/2003 9:00 AM", "1/6/2003", {entry(at(2003, 1, 5, 9), 60, "A")}),
       "category,1/5/2003 9:00:00 AM\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.csv, c.expected) << c.name;
}

TEST(CsvReport, FailsOnUnreadableBoundsAndTotalsBeyondThirtyTwoBits) {
  EXPECT_THROW(csv("", "1/7/2003"), DateTimeError);
  EXPECT_THROW(csv("1/5/2003", "soon"), DateTimeError);
  EXPECT_THROW(csv("1/5/2003", "1/5/2003",
                   {entry(at(2003, 1, 5, 9), 2147483647, "A"), entry(at(2003, 1, 5, 10), 1, "A")}),
               std::overflow_error);
}

}  // namespace
}  // namespace tw

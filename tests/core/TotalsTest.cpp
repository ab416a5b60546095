#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/CaseFold.h"
#include "core/CategoryTotals.h"
#include "core/DailyTotals.h"

namespace tw {
namespace {

std::vector<std::pair<std::string, std::int64_t>> listed(const CategoryTotals& t) {
  std::vector<std::pair<std::string, std::int64_t>> out;
  for (const auto& total : t.all()) out.emplace_back(total.name, total.minutes);
  return out;
}

TEST(CaseFold, FoldsFullyAndKeepsInvalidBytesApart) {
  const std::pair<const char*, const char*> same[] = {{"Design", "DESIGN"}, {"Straße", "STRASSE"},
                                                      {"Ärger", "äRGER"},   {"Σίσυφος", "ΣΊΣΥΦΟΣ"},
                                                      {"Привет", "ПРИВЕТ"}, {"µ", "μ"}};
  for (const auto& [a, b] : same) EXPECT_TRUE(CaseFold::equal(a, b)) << a << " / " << b;
  const std::pair<const char*, const char*> different[] = {
      {"Design", "Designs"}, {"a\xFF", "a\xFE"}, {"a\xFF", "A\xFF"}, {"", " "}};
  for (const auto& [a, b] : different) EXPECT_FALSE(CaseFold::equal(a, b)) << a << " / " << b;
}

// Names group by equality without regard to case, in order of first addition; no name is a
// pattern, in either order of arrival.
TEST(CategoryTotals, GroupNamesByEqualityNeverAsPatterns) {
  const struct {
    std::vector<std::pair<const char*, int>> adds;
    std::vector<std::pair<std::string, std::int64_t>> totals;
  } cases[] = {
      {{{"Design", 30}, {"design", 15}, {"", 5}, {"DESIGN", 1}, {"", 5}},
       {{"Design", 46}, {"", 10}}},
      {{{"Ticket 42", 60}, {"Ticket #2", 30}}, {{"Ticket 42", 60}, {"Ticket #2", 30}}},
      {{{"Ticket #2", 30}, {"Ticket 42", 60}}, {{"Ticket #2", 30}, {"Ticket 42", 60}}},
      {{{"A*", 1}, {"Alpha", 5}, {"a*", 2}}, {{"A*", 3}, {"Alpha", 5}}},
      {{{"[x]", 10}, {"[X]", 10}, {"x", 1}, {"[bad", 2}}, {{"[x]", 20}, {"x", 1}, {"[bad", 2}}},
  };
  for (const auto& c : cases) {
    CategoryTotals totals;
    for (const auto& [name, minutes] : c.adds) totals.add(name, minutes);
    EXPECT_EQ(listed(totals), c.totals);
  }
}

TEST(DailyTotals, CellsPerCategoryAndDayAndOverflow) {
  const DateTime day1 = DateTime::fromParts(2003, 1, 5);
  const DateTime day2 = DateTime::fromParts(2003, 1, 6);
  DailyTotals d;
  d.add(day1, "Projects", 90);
  d.add(day1, "Admin", 5);
  d.add(day2, "admin", 20);
  d.add(day2, "Big", 3'000'000'000LL);
  ASSERT_EQ(d.categories().size(), 3u);
  EXPECT_EQ(d.categories()[1].name, "Admin");
  EXPECT_EQ(d.minutes(1, day1), 5);
  EXPECT_EQ(d.minutes(1, day2), 20);
  EXPECT_EQ(d.minutes(0, day2), 0);
  EXPECT_EQ(d.minutes(0, day1.addSeconds(3600)), 0);
  EXPECT_THROW(d.minutes(2, day2), std::overflow_error);
}

}  // namespace
}  // namespace tw

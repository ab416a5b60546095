#include <gtest/gtest.h>

#include <random>

#include "ReferenceReport.h"
#include "ReportFixture.h"

using namespace tw::test;

namespace {

const char* const kCategories[] = {"Design",
                                   "design",
                                   "DESIGN",
                                   "D*",
                                   "Admin",
                                   "Admin, Design",
                                   "",
                                   "Proj*",
                                   "Projects",
                                   "Project #1",
                                   "project #1",
                                   "[x]",
                                   "x",
                                   "[open",
                                   "[!a]*",
                                   "TWEvent",
                                   "twevent",
                                   "Tallyworks Start",
                                   "\xC3\x89t\xC3\xA9",
                                   "\xC3\xA9T\xC3\x89",
                                   "?",
                                   "Say \"hi\", ok"};
const char* const kFilters[] = {"",
                                "Design",
                                "design",
                                "Projects",
                                "x",
                                "[open",
                                "Project #1",
                                "\xC3\xA9t\xC3\xA9",
                                "Admin, Design",
                                "Say \"hi\", ok"};
const char* const kSubjects[] = {"Page layout", "Review", "Mail", "Start Work", "Stop Work"};
const char* const kTypes[] = {"Task", "PJ_Task", "TWEvent", "Phone call"};

}  // namespace

TEST(ReportEquivalence, MatchesTheUnindexedRulesOnRandomJournals) {
  std::mt19937 rng(20240601);
  const auto pick = [&](const auto& list) {
    return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(rng)];
  };
  const tw::DateTime base = at(2003, 1, 1);
  for (int round = 0; round < 150; ++round) {
    tw::Report fast;
    ReferenceReport slow;
    const int count = std::uniform_int_distribution<int>(0, 60)(rng);
    for (int i = 0; i < count; ++i) {
      // Starts on a few days, often sharing the same second.
      const auto start = base.addSeconds(std::uniform_int_distribution<int>(0, 6)(rng) * 86400 +
                                         std::uniform_int_distribution<int>(0, 8)(rng) * 3600 * 3);
      auto e = entry(start, std::uniform_int_distribution<int>(-10, 600)(rng), pick(kCategories),
                     pick(kSubjects), pick(kTypes));
      fast.Add(e);
      slow.Add(e);
    }
    const int from = std::uniform_int_distribution<int>(0, 7)(rng);
    const int to = std::uniform_int_distribution<int>(0, 7)(rng);
    fast.Category = slow.Category = pick(kFilters);
    fast.startdate = slow.startdate = tw::DateText::shortDate(base.addDays(from));
    fast.enddate = slow.enddate = tw::DateText::shortDate(base.addDays(to));
    ASSERT_EQ(fast.CSV(), slow.CSV()) << "round " << round;
    if (round % 3 == 0) fast.startdate = slow.startdate = "";
    if (round % 5 == 0) fast.enddate = slow.enddate = "";
    ASSERT_EQ(fast.Generate(), slow.Generate()) << "round " << round;
  }
}

#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "tracking/JournalProblems.h"

namespace tw {
namespace {

using Kind = JournalProblems::Kind;
using JournalProblemsTest = test::SessionFixture;

// Journals of {start in minutes after Monday 8:00, seconds, subject ("… Work" a marker)}, judged
// at 9:00 and read day by day from the store: what is found, in order.
TEST_F(JournalProblemsTest, FindsWhatCannotBeBilled) {
  using Row = std::tuple<int, int, std::string>;
  const std::pair<std::vector<Row>, std::vector<std::pair<Kind, std::string>>> cases[] = {
      {{{0, 1800, "A"}, {30, 1800, "B"}}, {}},
      {{{0, 1859, "A"}, {30, 600, "B"}}, {}},  // a switch's second
      {{{0, 2400, "A"}, {30, 1200, "B"}, {50, 300, "C"}}, {{Kind::Overlap, "B"}}},
      {{{0, 3600, "A"}, {10, 600, "B"}, {30, 600, "C"}},
       {{Kind::Overlap, "B"}, {Kind::Overlap, "C"}}},
      {{{-570, 7200, "A"}, {-480, 600, "B"}}, {{Kind::Overlap, "B"}}},  // over midnight
      {{{30, 3600, "A"}}, {{Kind::Future, "A"}}},
      {{{0, 0, "Start Work"}, {10, 0, "Stop Work"}, {20, 0, "Start Work"}}, {}},
      {{{0, 0, "Start Work"}, {20, 0, "Start Work"}}, {{Kind::SecondStart, "Start Work"}}},
      {{{90, 0, "Stop Work"}}, {{Kind::Future, "Stop Work"}}},
  };
  for (const auto& [rows, expected] : cases) {
    for (const JournalEntry& e : journal()) store.deleteEntry(e.id);
    for (const auto& [minute, seconds, subject] : rows)
      addEntry(subject, monday9().addSeconds(minute * 60 - 3600), seconds,
               subject.ends_with(" Work") ? "TWEvent" : "Task");
    std::vector<std::pair<Kind, std::string>> found;
    JournalProblems::scan(store, std::nullopt, std::nullopt, clock.now(),
                          [&](const auto& p) { found.emplace_back(p.kind, p.entry.subject); });
    EXPECT_EQ(found, expected) << std::get<2>(rows.back());
  }
}

}  // namespace
}  // namespace tw

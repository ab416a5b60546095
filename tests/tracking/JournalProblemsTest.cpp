#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "tracking/JournalProblems.h"

namespace tw {
namespace {

using Kind = JournalProblems::Kind;

class JournalProblemsTest : public test::SessionFixture {};

// Each journal (start as minutes after Monday 8:00, minutes, subject) judged at 9:00, the
// journal read day by day from the store: what is found, in order.
TEST_F(JournalProblemsTest, FindsWhatCannotBeBilled) {
  struct Row {
    std::int64_t minute, seconds;
    const char* subject;
  };
  const struct {
    const char* name;
    std::vector<Row> journal;
    std::vector<std::pair<Kind, std::string>> found;
  } cases[] = {
      {"back to back", {{0, 1800, "A"}, {30, 1800, "B"}}, {}},
      {"a switch's second", {{0, 1859, "A"}, {30, 600, "B"}}, {}},
      {"overlap", {{0, 2400, "A"}, {30, 1200, "B"}, {50, 300, "C"}}, {{Kind::Overlap, "B"}}},
      {"within a longer one",
       {{0, 3600, "A"}, {10, 600, "B"}, {30, 600, "C"}},
       {{Kind::Overlap, "B"}, {Kind::Overlap, "C"}}},
      {"over midnight", {{-570, 7200, "A"}, {-480, 600, "B"}}, {{Kind::Overlap, "B"}}},
      {"ends in the future", {{30, 3600, "A"}}, {{Kind::Future, "A"}}},
      {"markers", {{0, 0, "Start Work"}, {10, 0, "Stop Work"}, {20, 0, "Start Work"}}, {}},
      {"second start",
       {{0, 0, "Start Work"}, {20, 0, "Start Work"}},
       {{Kind::SecondStart, "Start Work"}}},
      {"marker ahead", {{90, 0, "Stop Work"}}, {{Kind::Future, "Stop Work"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const JournalEntry& e : journal()) store.deleteEntry(e.id);
    for (const Row& r : c.journal) {
      const bool marker = std::string(r.subject).ends_with("Work");
      addEntry(r.subject, monday9().addSeconds(r.minute * 60 - 3600), r.seconds,
               marker ? "TWEvent" : "Task");
    }
    std::vector<std::pair<Kind, std::string>> found;
    JournalProblems::scan(store, std::nullopt, std::nullopt, clock.now(), [&](const auto& p) {
      found.emplace_back(p.kind, p.entry.subject);
      EXPECT_FALSE(p.why().empty());
    });
    EXPECT_EQ(found, c.found);
  }
}

}  // namespace
}  // namespace tw

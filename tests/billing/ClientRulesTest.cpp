#include <gtest/gtest.h>

#include "billing/ClientOf.h"
#include "billing/Overlaps.h"
#include "billing/RateTable.h"
#include "store/InvoicedPeriod.h"

namespace tw::client_rules_test {

TEST(ClientOf, TheCategoriesAreAListOfNamesComparedLetterCaseAside) {
  const ClientOf clients({{1, "Acme", "EUR", {}, true},
                          {2, "Globex", "EUR", {}, true},
                          {3, "Straße", "EUR", {}, true}});
  using K = ClientOf::Answer::Kind;
  struct Case {
    const char* categories;
    K kind;
    const char* client;
  } cases[] = {
      {"Acme", K::One, "Acme"},
      {" acme ,Design", K::One, "Acme"},
      {"Design,ACME", K::One, "Acme"},
      {"Acme Corp", K::None, ""},
      {"Acme; Globex", K::None, ""},
      {"", K::None, ""},
      {",,", K::None, ""},
      {"ACME, acme", K::One, "Acme"},
      {"Acme, Globex", K::Several, ""},
      {"STRASSE", K::One, "Straße"},
      {"Globex,\tacme", K::Several, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.categories);
    const ClientOf::Answer a = clients.of(c.categories);
    EXPECT_EQ(a.kind, c.kind);
    EXPECT_EQ(a.kind == K::One ? a.client->name : "", c.client);
    EXPECT_EQ(a.names.size(), c.kind == K::Several ? 2U : c.kind == K::One ? 1U : 0U);
  }
}

TEST(RateTable, TheRateInForceOnADayTheTasksBeforeItsClients) {
  const DateTime june = DateTime::fromParts(2026, 6, 1);
  const RateTable rates({{1, "", june, 200},
                         {1, "", std::nullopt, 100},
                         {0, "task", june.addDays(10), 500},
                         {2, "", june, 50}});
  struct Case {
    int day;
    std::int64_t client;
    const char* task;
    std::int64_t rate;  // 0: none
  } cases[] = {
      {-1, 1, "", 100}, {0, 1, "", 200},      {9, 1, "task", 200}, {10, 1, "task", 500},
      {-1, 2, "", 0},   {30, 2, "task", 500}, {0, 3, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.day) + " " + c.task);
    EXPECT_EQ(rates.on(june.addDays(c.day), c.client, c.task).value_or(0), c.rate);
  }
}

TEST(Overlaps, OnlyWorkThatSharesTimeOverlaps) {
  const auto at = [](int minute, std::int64_t seconds, const char* type = "Task") {
    JournalEntry e;
    e.start = Instant::fromUnix(minute * 60);
    e.seconds = seconds;
    e.type = type;
    return e;
  };
  const std::vector<JournalEntry> entries = {
      at(0, 3600),           // 0: 0:00-1:00
      at(60, 600),           // 1: starts as 0 ends, inside 3
      at(30, 60),            // 2: inside 0
      at(40, 3600),          // 3: overlaps 0, reaches furthest
      at(90, 0),             // 4: no length
      at(50, 0, "TWEvent"),  // 5: a marker
      at(95, 60),            // 6: inside 3 (which ends at 1:40)
  };
  using Pair = std::pair<std::size_t, std::size_t>;
  EXPECT_EQ(Overlaps::find(entries), (std::vector<Pair>{{0, 2}, {0, 3}, {3, 1}, {3, 6}}));
}

TEST(InvoicedPeriod, NamesItsDaysShortly) {
  const auto d = [](int y, int m, int day) { return DateTime::fromParts(y, m, day); };
  EXPECT_EQ((InvoicedPeriod{0, "Acme", d(2026, 11, 1), d(2026, 11, 30), 0}.describe()),
            "Acme, 1\u201330 Nov 2026");
  EXPECT_EQ(InvoicedPeriod::days(d(2026, 11, 28), d(2026, 12, 3)), "28 Nov \u2013 3 Dec 2026");
  EXPECT_EQ(InvoicedPeriod::days(d(2026, 12, 28), d(2027, 1, 3)), "28 Dec 2026 \u2013 3 Jan 2027");
  EXPECT_EQ(InvoicedPeriod::days(d(2026, 2, 3), d(2026, 2, 3)), "3 Feb 2026");
}

}  // namespace tw::client_rules_test

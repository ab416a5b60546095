#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <tuple>

#include "ReferenceReport.h"
#include "ReportFixture.h"
#include "core/DateTimeError.h"
#include "report/PeriodSummary.h"
#include "report/ReportRun.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

using namespace test;

// Two rows of categories of the same length, picked as a row and one of its names.
const char* const kCategories[][11] = {
    {"Design", "design", "DESIGN", "D*", "Admin", "Admin, Design", "", "Projects", "Ticket 42",
     "Ticket #2", "[x]"},
    {"x", "[open", "TWEvent", "twevent", "Tallyworks Start", "\xC3\x89t\xC3\xA9",
     "\xC3\xA9T\xC3\x89", "=cmd", "Say \"hi\", ok", "Stra\xC3\x9F\x65", "STRASSE"}};
const char* const kFilters[] = {
    "",        "Design",    "design",    "Projects",          "x",
    "[open",   "Ticket #2", "Ticket 42", "\xC3\xA9t\xC3\xA9", "Admin, Design",
    "strasse", "D*"};
const char* const kSubjects[] = {"Page layout", "Review", "Start Work", "Stop Work"};
const char* const kTypes[] = {"Task", "PJ_Task", "TWEvent", "Phone call"};

// Reports made from the store read only the entries of their range; over random journals and
// ranges (empty bounds, bounds at midnight, entries at midnight and at 23:59:59) they give the
// same bytes as the literal rules over the whole journal.
TEST(ReportEquivalence, RangeReadsMatchTheRulesOverTheWholeJournal) {
  std::mt19937 rng(20240601);
  const auto number = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
  };
  const auto pick = [&](const auto& list) -> decltype(auto) {
    return list[number(0, std::size(list) - 1)];
  };
  const DateTime base = at(2003, 1, 1);
  TempFolder folder;
  for (int round = 0; round < 60; ++round) {
    // Zones far from UTC both ways: local days straddle UTC days.
    const ScopedTimeZone zone(round % 2 ? "Pacific/Kiritimati" : "America/Los_Angeles");
    SqliteJournalStore store(folder.file("store" + std::to_string(round) + ".db"));
    ReferenceReport reference;
    store.transact([&] {
      for (int i = number(0, 60); i > 0; --i) {
        const int second = pick(std::array{0, 1, 86399, number(0, 86399), 3600 * number(0, 23)});
        const JournalEntry e =
            entry(base.addSeconds(number(-1, 8) * 86400 + second), number(-10, 600),
                  pick(pick(kCategories)), pick(kSubjects), pick(kTypes));
        reference.add(store.addEntry(e));
      }
    });
    std::optional<DateTime> first = base.addDays(number(0, 7));
    std::optional<DateTime> last = base.addDays(number(0, 7));
    if (round % 4 != 0 && *last < *first) std::swap(first, last);  // a few backwards
    reference.category = pick(kFilters);
    reference.startDate = DateText::shortDate(*first);
    reference.endDate = DateText::shortDate(*last);
    ASSERT_EQ(ReportRun::csv(store, ReportRequest::ofDays(reference.category, first, last)),
              reference.csv())
        << "round " << round;
    if (round % 3 == 0) {
      first.reset();
      reference.startDate = "";
    }
    if (round % 5 == 0) {
      last.reset();
      reference.endDate = "";
    }
    ASSERT_EQ(ReportRun::text(store, ReportRequest::ofDays(reference.category, first, last)),
              reference.text())
        << "round " << round;
  }
}

// A range that cannot end (on the last day there is) fails a report, unless the journal holds
// nothing to report; the CSV table needs both its days.
TEST(ReportEquivalence, RangesThatCannotEndFailOnlyWithEntries) {
  TempFolder folder;
  SqliteJournalStore store(folder.file("store.db"));
  const ReportRequest endless = ReportRequest::ofDays("", {}, at(9999, 12, 31));
  EXPECT_EQ(ReportRun::text(store, endless),
            "JOURNAL REPORT\r\nRange: <- 12/31/9999, Category: ALL\r\n\r\nTOTALS:\r\n-------\r\n");
  store.addEntry(entry(at(2003, 1, 5, 9), 10, "A"));
  EXPECT_THROW(ReportRun::text(store, endless), DateTimeError);
  EXPECT_THROW(ReportRun::csv(store, ReportRequest::ofDays("", {}, at(2003, 1, 5))), DateTimeError);
}

// Every report takes the entries of its days from the store: entries recorded at -10 h and
// +13 h around midnight count on the day of their own wall clock in the text report, the CSV
// table and the summary, whatever this machine's zone.
TEST(ReportEquivalence, EntriesRecordedElsewhereCountOnTheirOwnDay) {
  const ScopedTimeZone here("Europe/Berlin");
  TempFolder folder;
  SqliteJournalStore store(folder.file("store.db"));
  for (const auto& [local, hours, category] : {std::tuple{at(2024, 3, 10, 23, 45), -10, "Before"},
                                               {at(2024, 3, 11, 0, 15), 13, "East"},
                                               {at(2024, 3, 11, 23, 45), -10, "West"},
                                               {at(2024, 3, 12, 0, 15), 13, "After"}}) {
    JournalEntry e = entry(local, 30, category);
    e.utcOffset = hours * 3600;
    e.start = Instant::fromLocal(local, e.utcOffset);
    store.addEntry(e);
  }
  const ReportRequest day = ReportRequest::ofDays("", at(2024, 3, 11), at(2024, 3, 11));
  const std::string text = ReportRun::text(store, day);
  EXPECT_EQ(text.substr(text.find("TOTALS")),
            "TOTALS:\r\n-------\r\nEast: 30 minutes\r\nWest: 30 minutes\r\n");
  EXPECT_EQ(ReportRun::csv(store, day), "category,3/11/2024\r\nEast,0.5\r\nWest,0.5\r\n");
  const PeriodSummary summary = PeriodSummary::read(store, at(2024, 3, 10), 3);
  EXPECT_EQ(summary.minutes(1, 1) + summary.minutes(2, 1), 60) << "East and West on the 11th";
  EXPECT_EQ(summary.minutes(0, 0) + summary.minutes(3, 2), 60) << "Before and After beside";
}

}  // namespace
}  // namespace tw

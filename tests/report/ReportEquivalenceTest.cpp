#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>

#include "ReferenceReport.h"
#include "ReportFixture.h"
#include "core/DateTimeError.h"
#include "report/ReportRun.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

using namespace test;

const char* const kCategories[] = {"Design",
                                   "design",
                                   "DESIGN",
                                   "D*",
                                   "Admin",
                                   "Admin, Design",
                                   "",
                                   "Projects",
                                   "Ticket 42",
                                   "Ticket #2",
                                   "[x]",
                                   "x",
                                   "[open",
                                   "TWEvent",
                                   "twevent",
                                   "Tallyworks Start",
                                   "\xC3\x89t\xC3\xA9",
                                   "\xC3\xA9T\xC3\x89",
                                   "=cmd",
                                   "Say \"hi\", ok",
                                   "Stra\xC3\x9F\x65",
                                   "STRASSE"};
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
  const auto pick = [&](const auto& list) { return list[number(0, std::size(list) - 1)]; };
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
                  pick(kCategories), pick(kSubjects), pick(kTypes));
        reference.add(store.addEntry(e));
      }
    });
    ReportRequest r{pick(kFilters), DateText::shortDate(base.addDays(number(0, 7))),
                    DateText::shortDate(base.addDays(number(0, 7)))};
    reference.category = r.category;
    reference.startDate = r.startDate;
    reference.endDate = r.endDate;
    ASSERT_EQ(ReportRun::csv(store, r), reference.csv()) << "round " << round;
    if (round % 3 == 0) r.startDate = reference.startDate = "";
    if (round % 5 == 0) r.endDate = reference.endDate = "";
    ASSERT_EQ(ReportRun::text(store, r), reference.text()) << "round " << round;
  }
}

// A bound that cannot be read fails a report, unless the journal holds nothing to report.
TEST(ReportEquivalence, UnreadableBoundsFailOnlyWithEntries) {
  TempFolder folder;
  SqliteJournalStore store(folder.file("store.db"));
  const ReportRequest bad{"", "not a date", ""};
  EXPECT_EQ(ReportRun::text(store, bad),
            "JOURNAL REPORT\r\nRange: not a date ->, Category: ALL\r\n\r\nTOTALS:\r\n-------\r\n");
  store.addEntry(entry(at(2003, 1, 5, 9), 10, "A"));
  EXPECT_THROW(ReportRun::text(store, bad), DateTimeError);
  EXPECT_THROW(ReportRun::csv(store, ReportRequest{"", "", "1/5/2003"}), DateTimeError);
}

}  // namespace
}  // namespace tw

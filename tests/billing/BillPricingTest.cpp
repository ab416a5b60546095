#include <gtest/gtest.h>

#include <numeric>

#include "billing/BillPricing.h"
#include "billing/Rounding.h"
#include "billing/TimesheetBuilder.h"
#include "tests/support/TextEdits.h"

namespace tw::pricing_test {

using Place = RoundingRule::Place;
using Per = BillRequest::Per;

DateTime day(int d) {
  return DateTime::fromParts(2026, 11, d);
}

JournalEntry entry(std::string subject, std::string categories, int d, int hour, int minute,
                   std::int64_t seconds) {
  JournalEntry e;
  static std::int64_t ids = 0;
  e.id = ++ids;
  e.subject = std::move(subject);
  e.categories = std::move(categories);
  e.type = "Task";
  e.start = Instant::fromLocal(day(d).addMinutes(hour * 60 + minute), 0);
  e.seconds = seconds;
  return e;
}

Client client(std::int64_t id, std::string name, std::string currency, RoundingRule rounding = {}) {
  return {id, std::move(name), std::move(currency), rounding, true};
}

// Acme at 100.00 an hour, 150.00 from the 10th; Globex in JPY; the task "Support" is not
// billed, "Audit" has its own rate of 200.00.
BillingData data(RoundingRule rounding = {}) {
  Task support{1, "u-support", "Support", "Acme", TaskStatus::InProgress, 0};
  Task audit{2, "u-audit", "Audit", "Acme", TaskStatus::InProgress, 0};
  return BillingData({client(1, "Acme", "EUR", rounding), client(2, "Globex", "JPY")},
                     {{1, "", std::nullopt, 10000},
                      {1, "", day(10), 15000},
                      {2, "", std::nullopt, 5000},
                      {0, "u-audit", std::nullopt, 20000}},
                     {support, audit}, {{"u-support", false}});
}

Bill price(const BillingData& d, std::span<const JournalEntry> entries, Per per = Per::Task,
           std::int64_t timed = 0, int last = 30) {
  return BillPricing::price(d, d.clients().clients()[0], {"Acme", day(1), day(last), per}, entries,
                            timed);
}

// Every way of cutting lines adds up, and the total is the sum of its parts.
void expectSums(const Bill& bill) {
  std::int64_t amount = 0;
  std::int64_t billed = 0;
  for (const Bill::Section& s : bill.sections) {
    std::int64_t sectionAmount = 0;
    for (const Bill::Line& l : s.lines) {
      sectionAmount += l.amount;
      billed += l.billedSeconds;
      EXPECT_EQ(l.amount, BillPricing::amount(l.billedSeconds, l.rate));
    }
    EXPECT_EQ(s.amount, sectionAmount);
    amount += sectionAmount;
  }
  EXPECT_EQ(bill.amount, amount);
  EXPECT_EQ(bill.billedSeconds, billed);
}

TEST(BillPricing, RoundsAtEachPlaceTheSameWhateverTheLines) {
  // Design: 7 min and 8 min and 46 s on the 3rd, 20 min on the 4th.
  const std::vector<JournalEntry> entries = {
      entry("Design", "Acme", 3, 9, 0, 420), entry("Design", "Acme", 3, 10, 0, 480),
      entry("Design", "acme , Web", 3, 11, 0, 46), entry("Design", "Acme", 4, 9, 0, 1200)};
  struct Case {
    RoundingRule rule;
    std::int64_t billedMinutes;
  } cases[] = {
      {{0, RoundingRule::Mode::Up, Place::Entry}, -1},
      {{15, RoundingRule::Mode::Up, Place::Entry}, 15 + 15 + 15 + 30},
      {{15, RoundingRule::Mode::Up, Place::TaskDay}, 30 + 30},
      {{15, RoundingRule::Mode::Up, Place::TaskTotal}, 45},
      {{15, RoundingRule::Mode::Nearest, Place::TaskDay}, 15 + 15},
      {{15, RoundingRule::Mode::Down, Place::Entry}, 0 + 0 + 0 + 15},
      {{6, RoundingRule::Mode::Nearest, Place::TaskTotal}, 36},
  };
  for (const Case& c : cases) {
    for (Per per : {Per::Task, Per::Day, Per::Entry}) {
      SCOPED_TRACE(Rounding::describe(c.rule) + " per " + std::to_string(static_cast<int>(per)));
      const Bill bill = price(data(c.rule), entries, per);
      expectSums(bill);
      EXPECT_EQ(bill.seconds, 420 + 480 + 46 + 1200);
      const std::int64_t billed = c.billedMinutes < 0 ? bill.seconds : c.billedMinutes * 60;
      EXPECT_EQ(bill.billedSeconds, billed);
      EXPECT_EQ(bill.amount, BillPricing::amount(billed, 10000));
    }
  }
}

TEST(BillPricing, ARateChangeNeverRepricesTheDaysBeforeIt) {
  const std::vector<JournalEntry> entries = {
      entry("Design", "Acme", 9, 9, 0, 3600), entry("Design", "Acme", 10, 9, 0, 3600),
      entry("Audit", "Acme", 9, 9, 0, 1800), entry("Audit", "Acme", 12, 9, 0, 1800)};
  const Bill bill = price(data(), entries);
  expectSums(bill);
  ASSERT_EQ(bill.sections.size(), 2U);
  const Bill::Section& design = bill.sections[1];
  ASSERT_EQ(design.lines.size(), 2U);
  EXPECT_EQ(design.lines[0].amount, 10000);
  EXPECT_EQ(design.lines[1].amount, 15000);
  EXPECT_EQ(design.lines[1].rateFrom, day(10));
  // The task's own rate holds on both sides of the client's change.
  EXPECT_EQ(bill.sections[0].lines.size(), 1U);
  EXPECT_EQ(bill.sections[0].amount, 20000);
}

TEST(BillPricing, CurrenciesWithoutAndWithThreeDecimals) {
  const std::vector<JournalEntry> entries = {entry("Port", "Globex", 3, 9, 0, 5400),
                                             entry("Port", "Globex", 4, 9, 0, 1)};
  const BillingData d = data();
  const Bill yen =
      BillPricing::price(d, d.clients().clients()[1], {"Globex", day(1), day(30)}, entries, 0);
  EXPECT_EQ(yen.amount, 7501);  // 5000 yen an hour: 7500 for 1.5 h, 1 s rounds up from 1.39
  const BillingData kwd({client(3, "Gulf", "KWD")}, {{3, "", std::nullopt, 12345}}, {}, {});
  const std::vector<JournalEntry> gulf = {entry("Port", "Gulf", 3, 9, 0, 1200)};
  EXPECT_EQ(BillPricing::price(kwd, kwd.clients().clients()[0], {"Gulf", day(1), day(30)}, gulf, 0)
                .amount,
            4115);
}

TEST(BillPricing, ProblemsOfThePeriodAndTimeNotBilled) {
  const std::vector<JournalEntry> entries = {
      entry("Design", "Acme", 3, 9, 0, 3600),
      entry("Review", "Acme", 3, 9, 30, 600),            // overlaps Design
      entry("Meeting", "Acme, Globex", 3, 11, 0, 3600),  // two clients: counted for neither
      entry("Support", "Acme", 4, 9, 0, 1800),           // not billable
      entry("Lunch", "", 4, 12, 0, 3600),                // no client
      entry("Design", "Acme", 5, 9, 0, 60)};             // being timed
  const Bill bill = price(data(), entries, Per::Entry, entries[5].id);
  expectSums(bill);
  EXPECT_EQ(bill.seconds, 3600 + 600 + 60);
  ASSERT_EQ(bill.unbilled.size(), 1U);
  EXPECT_EQ(bill.unbilled[0].seconds, 1800);
  std::vector<Bill::Problem::Kind> kinds;
  kinds.reserve(bill.problems.size());
  for (const Bill::Problem& p : bill.problems) kinds.push_back(p.kind);
  EXPECT_EQ(kinds, (std::vector<Bill::Problem::Kind>{Bill::Problem::Kind::SeveralClients,
                                                     Bill::Problem::Kind::Overlap,
                                                     Bill::Problem::Kind::OpenTimer}));
  EXPECT_TRUE(test::has(bill.problems[0].text, "Acme, Globex"));
}

TEST(Timesheet, AClientsWeekEqualsItsBillForTheWeek) {
  const RoundingRule total{15, RoundingRule::Mode::Up, Place::TaskTotal};
  // Monday 2 November to Sunday 8 November 2026.
  const std::vector<JournalEntry> entries = {
      entry("Design", "Acme", 2, 9, 0, 700),    entry("Design", "Acme", 4, 9, 0, 100),
      entry("Support", "Acme", 4, 10, 0, 1000), entry("Port", "Globex", 8, 9, 0, 46),
      entry("Lunch", "", 3, 12, 0, 1800),       entry("Call", "Acme, Globex", 5, 9, 0, 600)};
  const BillingData d = data(total);
  const Timesheet sheet = TimesheetBuilder::make(d, day(2), entries);
  ASSERT_EQ(sheet.groups.size(), 4U);
  const Bill acme = price(d, entries, Per::Task, 0, 8);
  EXPECT_EQ(sheet.groups[0].billed, acme.billedSeconds);
  EXPECT_EQ(sheet.groups[0].total, acme.billedSeconds + acme.unbilledSeconds);
  EXPECT_EQ(sheet.groups[0].rounding, 900 - 800);
  EXPECT_EQ(sheet.groups[1].billed, 46);
  std::int64_t rows = 0;
  for (const Timesheet::Group& g : sheet.groups)
    for (const Timesheet::Row& r : g.rows) rows += r.total;
  EXPECT_EQ(sheet.total, rows);
  EXPECT_EQ(std::accumulate(sheet.days.begin(), sheet.days.end(), std::int64_t{0}) + 100,
            sheet.total);
}

}  // namespace tw::pricing_test

#include <gtest/gtest.h>

#include <functional>

#include "billing/BillBuilder.h"
#include "billing/BillingError.h"
#include "billing/ClientBook.h"
#include "billing/Invoicing.h"
#include "store/InvoicedError.h"
#include "store/sqlite/SqliteBillingStore.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"

namespace tw::lock_test {

DateTime day(int d, int hour = 9) {
  return DateTime::fromParts(2026, 11, d, hour);
}

JournalEntry entry(const std::string& subject, const std::string& categories, DateTime start) {
  JournalEntry e;
  e.subject = subject;
  e.categories = categories;
  e.type = "Task";
  e.start = Instant::fromLocal(start, 3600);
  e.utcOffset = 3600;
  e.seconds = 1800;
  return e;
}

class InvoiceLockTest : public ::testing::Test {
 protected:
  InvoiceLockTest() {
    ClientBook::Change terms;
    terms.rate = "100";
    terms.currency = "EUR";
    book.add("Acme", terms);
    inside = journal.addEntry(entry("Design", "Web, acme", day(10)));
    outside = journal.addEntry(entry("Design", "Acme", day(20)));
    other = journal.addEntry(entry("Port", "Globex", day(10)));
    invoicing.mark("ACME", day(1, 0), day(15, 0));
  }

  test::TempFolder folder;
  SqliteJournalStore journal{folder.file("store.db")};
  SqliteBillingStore billing{journal};
  ClientBook book{journal, billing};
  Invoicing invoicing{journal, billing};
  JournalEntry inside, outside, other;
};

TEST_F(InvoiceLockTest, EveryChangeToAnInvoicedEntryIsRefusedNamingThePeriod) {
  const auto update = [&](JournalEntry e, const std::function<void(JournalEntry&)>& change) {
    change(e);
    journal.updateEntry(e);
  };
  const auto moveTo = [](DateTime to) {
    return [to](JournalEntry& e) { e.start = Instant::fromLocal(to, e.utcOffset); };
  };
  JournalEntry marker = entry("Start Work", "Acme", day(3));
  marker.type = "TWEvent";
  JournalEntry shorter = inside;
  shorter.seconds = 60;
  struct Case {
    const char* what;
    std::function<void()> change;
    bool refused;
  } cases[] = {
      {"edit inside", [&] { update(inside, [](JournalEntry& e) { e.body = "x"; }); }, true},
      {"move out", [&] { update(inside, moveTo(day(20))); }, true},
      {"move in", [&] { update(outside, moveTo(day(14))); }, true},
      {"name the client", [&] { update(other, [](JournalEntry& e) { e.categories += ", Acme"; }); },
       true},
      {"delete", [&] { journal.deleteEntry(inside.id); }, true},
      {"add", [&] { journal.addEntry(entry("Split", "Acme", day(3))); }, true},
      {"import over", [&] { journal.importEntry(shorter); }, true},
      {"import new", [&] { journal.importEntry(entry("New", "ACME", day(15, 23))); }, true},
      {"other client", [&] { update(other, [](JournalEntry& e) { e.seconds = 1; }); }, false},
      {"outside", [&] { update(outside, [](JournalEntry& e) { e.seconds = 1; }); }, false},
      {"marker", [&] { journal.addEntry(marker); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.change();
      EXPECT_FALSE(c.refused);
    } catch (const InvoicedError& e) {
      EXPECT_TRUE(c.refused);
      EXPECT_TRUE(test::has(e.what(), "invoiced for Acme, 1\u201315 Nov 2026")) << e.what();
    }
  }
  EXPECT_EQ(journal.entry(inside.id)->seconds, 1800);
  invoicing.undo("acme", day(1, 0), day(15, 0));
  journal.deleteEntry(inside.id);
}

TEST_F(InvoiceLockTest, ATransactionWithARefusedChangeStoresNothing) {
  JournalEntry free = other;
  free.seconds = 5;
  EXPECT_THROW(journal.transact([&] {
    journal.updateEntry(free);
    journal.deleteEntry(inside.id);
  }),
               InvoicedError);
  EXPECT_EQ(journal.entry(other.id)->seconds, 1800);
}

TEST_F(InvoiceLockTest, PeriodsClientsAndRatesAreCheckedWhereTheyAreKept) {
  EXPECT_THROW(invoicing.mark("Acme", day(15, 0), day(16, 0)), StoreError);  // overlaps
  EXPECT_THROW(invoicing.mark("Nobody", day(20, 0), day(21, 0)), BillingError);
  EXPECT_THROW(invoicing.undo("Acme", day(1, 0), day(14, 0)), BillingError);
  EXPECT_THROW(book.remove("Acme"), StoreError);
  ClientBook::Change terms;
  terms.rate = "100";
  terms.currency = "USD";
  EXPECT_THROW(book.add("acme", terms), StoreError);
  EXPECT_THROW(book.add("Acme, Globex", terms), BillingError);
  EXPECT_THROW(book.edit("Acme", terms), BillingError);  // a new currency while invoiced
  ClientBook::Change later;
  later.rate = "120.50";
  later.rateFrom = day(20, 0);
  book.edit("Acme", later);
  const std::vector<Rate> rates = book.rates("acme");
  ASSERT_EQ(rates.size(), 2U);
  EXPECT_EQ(rates[1].minorPerHour, 12050);
  EXPECT_EQ(rates[1].from, day(20, 0));
  const Bill bill = BillBuilder(journal, billing).build({"Acme", day(1, 0), day(30, 0)});
  EXPECT_EQ(bill.amount, 5000 + 6025);
}

}  // namespace tw::lock_test

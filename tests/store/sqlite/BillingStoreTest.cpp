#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "store/InvoicedError.h"
#include "store/sqlite/Schema.h"
#include "store/sqlite/SqliteBillingStore.h"

namespace tw {
namespace {

class BillingStoreTest : public test::StoreFixture {};

// Version 7 stores have no billing tables: on the first open for writing they gain them, and a
// store that cannot be written reads as having no clients. The lock on an entry then holds for
// whatever opens the store.
TEST_F(BillingStoreTest, Version7StoresGainClientsAndTheLockHoldsForEveryConnection) {
  const JournalEntry e = open()->addEntry([] {
    JournalEntry x = entry("Design", day(4));
    x.categories = "Acme";
    return x;
  }());
  test::RawDatabase(path).exec(
      "DROP TABLE clients; DROP TABLE rates; DROP TABLE task_billing; DROP TABLE invoiced;"
      " PRAGMA user_version = 7;");
  EXPECT_EQ(asReader([&] {
              auto store = open(Database::Mode::ReadOnly);
              test::require(SqliteBillingStore(*store).clients().empty(), "clients");
            }),
            "");
  auto store = open();
  EXPECT_EQ(test::RawDatabase(path).text("PRAGMA user_version"), std::to_string(Schema::kVersion));
  SqliteBillingStore billing(*store);
  const Client acme = billing.addClient({0, "Acme", "EUR", {}, true});
  billing.putRate({acme.id, "", std::nullopt, 100});
  billing.putRate({acme.id, "", day(10, 0), 150});
  billing.putRate({acme.id, "", day(10, 0), 160});  // replaces the one of that day
  EXPECT_EQ(billing.rates().size(), 2U);
  EXPECT_EQ(billing.rates()[1].minorPerHour, 160);
  billing.addInvoiced({0, "ACME", day(1, 0), day(4, 0), 0});
  auto other = open();
  EXPECT_THROW(other->deleteEntry(e.id), InvoicedError);
  EXPECT_THROW(SqliteBillingStore(*other).addInvoiced({0, "acme", day(4, 0), day(9, 0), 0}),
               StoreError);
}

}  // namespace
}  // namespace tw

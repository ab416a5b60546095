#pragma once

#include "store/BillingStore.h"

namespace tw {

class Database;
class JournalStore;
class SqliteJournalStore;

// Clients, rates, billable flags and invoiced periods in the journal store's own file, on its
// connection: its calls join the store's transactions. A store of an older version opened to
// read only has none.
class SqliteBillingStore : public BillingStore {
 public:
  explicit SqliteBillingStore(SqliteJournalStore& store);
  // The billing of a store the SQLite backend opened; throws StoreError for any other store.
  static SqliteBillingStore of(JournalStore& store);

  std::vector<Client> clients() override;
  Client addClient(Client client) override;
  void updateClient(const Client& client) override;
  void removeClient(std::int64_t id) override;

  std::vector<Rate> rates() override;
  void putRate(const Rate& rate) override;
  void removeRates(std::int64_t clientId, std::string_view taskUid) override;

  std::optional<bool> taskBillable(std::string_view taskUid) override;
  void setTaskBillable(std::string_view taskUid, std::optional<bool> billable) override;
  std::vector<std::pair<std::string, bool>> taskBillableFlags() override;

  std::vector<InvoicedPeriod> invoiced() override;
  InvoicedPeriod addInvoiced(InvoicedPeriod period) override;
  void removeInvoiced(std::int64_t id) override;

 private:
  // False on a store of an older version opened to read only; looks at the file first when no
  // transaction is open.
  bool readable();
  void refuseNameTaken(const std::string& key, std::int64_t id);

  Database& db_;
};

}  // namespace tw

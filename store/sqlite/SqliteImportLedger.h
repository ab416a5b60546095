#pragma once

#include "store/ImportLedger.h"

namespace tw {

class Database;
class JournalStore;
class SqliteJournalStore;

// The records of imported entries in the journal store's own file, on its connection: its calls
// join the store's transactions. A store of an older version opened to read only has none.
class SqliteImportLedger : public ImportLedger {
 public:
  explicit SqliteImportLedger(SqliteJournalStore& store);
  // The ledger of a store the SQLite backend opened; throws StoreError for any other store.
  static SqliteImportLedger of(JournalStore& store);

  std::vector<Record> records(std::string_view source) override;
  void put(std::string_view source, const Record& record) override;

 private:
  Database& db_;
};

}  // namespace tw

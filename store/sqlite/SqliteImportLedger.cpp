#include "store/sqlite/SqliteImportLedger.h"

#include "store/StoreError.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/Statement.h"
#include "store/sqlite/Transaction.h"

namespace tw {

SqliteImportLedger::SqliteImportLedger(SqliteJournalStore& store) : db_(store.database()) {}

SqliteImportLedger SqliteImportLedger::of(JournalStore& store) {
  auto* sqlite = dynamic_cast<SqliteJournalStore*>(&store);
  if (!sqlite) throw StoreError("this store keeps no record of imported entries");
  return SqliteImportLedger(*sqlite);
}

std::vector<ImportLedger::Record> SqliteImportLedger::records(std::string_view source) {
  if (!db_.inTransaction()) db_.checkFile(false);
  std::vector<Record> out;
  Statement exists(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'imported'");
  if (!exists.step()) return out;
  Statement s(db_, "SELECT identity, entry_uid, digest FROM imported WHERE source = ?1");
  s.bind(1, source);
  while (s.step()) {
    Record r;
    r.identity = s.text(0);
    r.entryUid = s.text(1);
    r.digest = static_cast<std::uint64_t>(s.integer(2));
    out.push_back(std::move(r));
  }
  return out;
}

void SqliteImportLedger::put(std::string_view source, const Record& r) {
  Transaction tx(db_);
  Statement(db_,
            "INSERT OR REPLACE INTO imported(source, identity, entry_uid, digest)"
            " VALUES(?1, ?2, ?3, ?4)")
      .bind(1, source)
      .bind(2, r.identity)
      .bind(3, r.entryUid)
      .bind(4, static_cast<std::int64_t>(r.digest))
      .run();
  tx.commit();
}

}  // namespace tw

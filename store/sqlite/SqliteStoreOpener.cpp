#include "store/sqlite/SqliteStoreOpener.h"

#include "store/sqlite/SqliteBillingStore.h"
#include "store/sqlite/SqliteHamsterFacts.h"
#include "store/sqlite/SqliteImportLedger.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"
#include "store/sqlite/StoreRecovery.h"

namespace tw {

std::unique_ptr<JournalStore> SqliteStoreOpener::open(const std::string& path,
                                                      Access access) const {
  SqliteJournalStore::Options options;
  options.mode = access == Access::ReadOnly ? Database::Mode::ReadOnly : Database::Mode::Create;
  return std::make_unique<SqliteJournalStore>(path, options);
}

std::unique_ptr<SyncState> SqliteStoreOpener::syncState(JournalStore& store) const {
  return std::make_unique<SqliteSyncState>(SqliteSyncState::of(store));
}

std::string SqliteStoreOpener::recover(const std::string& damaged,
                                       const std::string& target) const {
  return StoreRecovery::run(damaged, target);
}

std::unique_ptr<ImportLedger> SqliteStoreOpener::importLedger(JournalStore& store) const {
  return std::make_unique<SqliteImportLedger>(SqliteImportLedger::of(store));
}

std::unique_ptr<HamsterFacts> SqliteStoreOpener::openHamster(const std::string& path) const {
  return std::make_unique<SqliteHamsterFacts>(path);
}

std::unique_ptr<BillingStore> SqliteStoreOpener::billing(JournalStore& store) const {
  return std::make_unique<SqliteBillingStore>(SqliteBillingStore::of(store));
}

}  // namespace tw

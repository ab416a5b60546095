#include "store/sqlite/SqliteStoreOpener.h"

#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"

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

}  // namespace tw

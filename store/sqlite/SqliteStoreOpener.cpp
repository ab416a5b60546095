#include "store/sqlite/SqliteStoreOpener.h"

#include "store/sqlite/SqliteJournalStore.h"

namespace tw {

std::unique_ptr<JournalStore> SqliteStoreOpener::open(const std::string& path,
                                                      Access access) const {
  SqliteJournalStore::Options options;
  options.mode = access == Access::ReadOnly ? Database::Mode::ReadOnly : Database::Mode::Create;
  return std::make_unique<SqliteJournalStore>(path, options);
}

}  // namespace tw

#pragma once

#include "store/StoreOpener.h"

namespace tw {

// Opens SQLite stores (SqliteJournalStore).
class SqliteStoreOpener : public StoreOpener {
 public:
  std::unique_ptr<JournalStore> open(const std::string& path, Access access) const override;
  std::unique_ptr<SyncState> syncState(JournalStore& store) const override;
  std::string recover(const std::string& damaged, const std::string& target) const override;
  std::unique_ptr<ImportLedger> importLedger(JournalStore& store) const override;
  std::unique_ptr<HamsterFacts> openHamster(const std::string& path) const override;
  std::unique_ptr<BillingStore> billing(JournalStore& store) const override;
};

}  // namespace tw

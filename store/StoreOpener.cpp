#include "store/StoreOpener.h"

#include "store/StoreError.h"

namespace tw {

std::unique_ptr<SyncState> StoreOpener::syncState(JournalStore&) const {
  throw StoreError("This store keeps no calendar synchronisation.");
}

std::string StoreOpener::recover(const std::string&, const std::string&) const {
  throw StoreError("This store cannot be recovered.");
}

std::unique_ptr<ImportLedger> StoreOpener::importLedger(JournalStore&) const {
  throw StoreError("This store keeps no record of imported entries.");
}

std::unique_ptr<HamsterFacts> StoreOpener::openHamster(const std::string&) const {
  throw StoreError("Hamster databases cannot be read here.");
}

std::unique_ptr<BillingStore> StoreOpener::billing(JournalStore&) const {
  throw StoreError("This store keeps no clients.");
}

}  // namespace tw

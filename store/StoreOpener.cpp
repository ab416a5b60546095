#include "store/StoreOpener.h"

#include "store/StoreError.h"

namespace tw {

std::unique_ptr<SyncState> StoreOpener::syncState(JournalStore&) const {
  throw StoreError("This store keeps no calendar synchronisation.");
}

std::string StoreOpener::recover(const std::string&, const std::string&) const {
  throw StoreError("This store cannot be recovered.");
}

}  // namespace tw

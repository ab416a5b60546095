#include "store/StoreOpener.h"

#include "store/StoreError.h"

namespace tw {

std::unique_ptr<SyncState> StoreOpener::syncState(JournalStore&) const {
  throw StoreError("This store keeps no calendar synchronisation.");
}

}  // namespace tw

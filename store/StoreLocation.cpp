#include "store/StoreLocation.h"

#include <cstdlib>

#include "core/XdgFolders.h"

namespace tw {

std::string StoreLocation::defaultPath() {
  if (const char* store = std::getenv("TALLYWORKS_STORE"); store && *store) return store;
  return XdgFolders::dataHome() + "/tallyworks/tallyworks.db";
}

}  // namespace tw

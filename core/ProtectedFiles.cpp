#include "core/ProtectedFiles.h"

#include <map>
#include <mutex>

#include "core/StoreFiles.h"

namespace tw {
namespace {

std::mutex gMutex;

std::map<std::string, int>& stores() {
  static std::map<std::string, int> open;
  return open;
}

}  // namespace

void ProtectedFiles::add(const std::string& store) {
  const std::lock_guard lock(gMutex);
  ++stores()[store];
}

void ProtectedFiles::remove(const std::string& store) {
  const std::lock_guard lock(gMutex);
  const auto it = stores().find(store);
  if (it != stores().end() && --it->second == 0) stores().erase(it);
}

std::string ProtectedFiles::storeIncluding(const std::string& path) {
  const std::lock_guard lock(gMutex);
  for (const auto& [store, count] : stores())
    if (StoreFiles(store).includes(path)) return store;
  return {};
}

}  // namespace tw

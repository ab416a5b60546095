#include "store/sqlite/OpenFiles.h"

#include <map>
#include <mutex>
#include <utility>

namespace tw {
namespace {

std::mutex gMutex;

std::map<std::pair<dev_t, ino_t>, int>& files() {
  static std::map<std::pair<dev_t, ino_t>, int> open;
  return open;
}

}  // namespace

void OpenFiles::add(dev_t device, ino_t inode) {
  const std::lock_guard lock(gMutex);
  ++files()[{device, inode}];
}

void OpenFiles::remove(dev_t device, ino_t inode) {
  const std::lock_guard lock(gMutex);
  const auto it = files().find({device, inode});
  if (it != files().end() && --it->second == 0) files().erase(it);
}

bool OpenFiles::connected(dev_t device, ino_t inode) {
  const std::lock_guard lock(gMutex);
  return files().count({device, inode}) != 0;
}

}  // namespace tw

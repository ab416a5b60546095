#pragma once

#include <string>

namespace tw {

// The files of a store: the store file itself and the -wal and -shm files kept beside it.
class StoreFiles {
 public:
  explicit StoreFiles(std::string store) : store_(std::move(store)) {}

  // True when writing to path would write into one of them: it is the same file (device and
  // inode, through any link) or, for files that do not exist yet, the same place.
  bool includes(const std::string& path) const;

  // True when both paths name one existing file (device and inode), through any link. Looks
  // at the files without opening them.
  static bool sameFile(const std::string& a, const std::string& b);

 private:
  std::string store_;
};

}  // namespace tw

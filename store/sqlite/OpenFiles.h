#pragma once

#include <sys/types.h>

namespace tw {

// The store files this process has connections to, by device and inode. POSIX locks belong to
// the process and are all dropped when any descriptor of the file is closed, so nothing but
// SQLite may open such a file while a connection to it is open here: another process would
// then take itself for the last user and delete the write-ahead log under us.
class OpenFiles {
 public:
  // Counts a connection to the file; the first one makes connected() true.
  static void add(dev_t device, ino_t inode);
  static void remove(dev_t device, ino_t inode);
  static bool connected(dev_t device, ino_t inode);
};

}  // namespace tw

#pragma once

#include <string>

namespace tw {

// The stores this process has open: no file writer replaces or writes into their files
// (StoreFiles). A stray open and close of such a file outside SQLite would drop the process's
// locks on it, and replacing it would take the store from under its connections.
class ProtectedFiles {
 public:
  // Counts an open store; the same store may be added more than once.
  static void add(const std::string& store);
  static void remove(const std::string& store);
  // The open store whose files include path, or an empty text when none does.
  static std::string storeIncluding(const std::string& path);
};

}  // namespace tw

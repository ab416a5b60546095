#pragma once

#include <string>

namespace tw {

// A file's path as an SQLite URI ("file:" and the path, its '?', '#' and '%' escaped), to which
// the caller adds its query ("?immutable=1").
class FileUri {
 public:
  static std::string of(const std::string& path);
};

}  // namespace tw

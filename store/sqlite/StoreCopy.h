#pragma once

#include <string>

namespace tw {

class Database;

// Copies and checks of a store file, through SQLite itself.
class StoreCopy {
 public:
  // A consistent copy of the whole store in one file, through SQLite's online backup while
  // others may go on writing; checked before it replaces the file, which is written whole or
  // not at all. The store's own files are refused as targets.
  static void write(Database& db, const std::string& file);
  // "ok", or the problems PRAGMA integrity_check finds, one per line.
  static std::string integrity(Database& db);
};

}  // namespace tw

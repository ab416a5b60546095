#pragma once

#include <string>

namespace tw {

// Saves what can still be read of a damaged store into a new store file, and leaves the
// damaged files as they are. Debian 12's SQLite has neither the recovery API (SQLite 3.44) nor
// a sqlite3 program whose .recover works (it lacks the sqlite_dbpage table), so the rows are
// salvaged through SQLite itself: a copy of the store file and its log is made in a private
// folder, each table is read past its damaged pages (RowSalvage) into a new store of this
// version, which is checked (integrity_check) and written whole (FileWriter).
//
// The calendar synchronisation fetches again what was lost: the rows of items that were not
// saved are dropped and the collections are compared in full at the next run, so that the
// server's copies come back instead of being deleted there.
class StoreRecovery {
 public:
  // What was saved, for people. Throws StoreError when nothing could be read or the new
  // store cannot be written; the store must not be open in this process.
  static std::string run(const std::string& damaged, const std::string& target);
};

}  // namespace tw

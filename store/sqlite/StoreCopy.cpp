#include "store/sqlite/StoreCopy.h"

#include <sqlite3.h>
#include <unistd.h>

#include "core/FileError.h"
#include "core/FileWriter.h"
#include "store/StoreError.h"
#include "store/sqlite/Database.h"

namespace tw {
namespace {

[[noreturn]] void failCopy(const std::string& file, const std::string& cause) {
  throw StoreError("The backup \"" + file + "\" cannot be written: " + cause + ".");
}

std::string integrityOf(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  std::string result;
  if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) != SQLITE_OK)
    return sqlite3_errmsg(db);
  int rc = SQLITE_OK;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    if (!result.empty()) result += '\n';
    result += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  }
  if (rc != SQLITE_DONE) result = sqlite3_errmsg(db);
  sqlite3_finalize(stmt);
  return result;
}

// Copies the store into the new file at temporary and checks the copy.
void copyInto(Database& db, const std::string& temporary, const std::string& file) {
  sqlite3* copy = nullptr;
  if (sqlite3_open_v2(temporary.c_str(), &copy, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    const std::string cause = sqlite3_errmsg(copy);
    sqlite3_close_v2(copy);
    failCopy(file, cause);
  }
  sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db.handle(), "main");
  int rc = backup ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(copy);
  if (backup) sqlite3_backup_finish(backup);
  if (rc == SQLITE_DONE)
    rc = sqlite3_exec(copy, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
  std::string problem = rc == SQLITE_OK ? integrityOf(copy) : sqlite3_errstr(rc);
  sqlite3_close_v2(copy);
  if (problem != "ok") failCopy(file, "the copy is not sound (" + problem + ")");
}

}  // namespace

void StoreCopy::write(Database& db, const std::string& file) {
  try {
    // Refuses the store's own files: the store is open here (ProtectedFiles).
    FileWriter copy(file, FileWriter::Targets::Files);
    try {
      copyInto(db, copy.temporaryPath(), file);
    } catch (...) {
      ::unlink((copy.temporaryPath() + "-journal").c_str());
      throw;
    }
    copy.commit();
  } catch (const FileError& e) {
    throw StoreError(e.what());
  }
}

std::string StoreCopy::integrity(Database& db) {
  return integrityOf(db.handle());
}

}  // namespace tw

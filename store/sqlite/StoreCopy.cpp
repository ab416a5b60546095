#include "store/sqlite/StoreCopy.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "store/StoreError.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/Statement.h"

namespace tw {
namespace {

[[noreturn]] void failCopy(const std::string& file, const std::string& cause) {
  throw StoreError("The backup \"" + file + "\" cannot be written: " + cause + ".");
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

std::string folderOf(const std::string& file) {
  const std::filesystem::path parent = std::filesystem::path(file).parent_path();
  return parent.empty() ? "." : parent.string();
}

void syncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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
  for (const char* suffix : {"", "-wal", "-shm"}) {
    if (sameFile(file, db.path() + suffix))
      failCopy(file, "it is the store itself or one of its files");
  }
  std::string temporary = folderOf(file) + "/.tallyworks-backup-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) failCopy(file, std::strerror(errno));
  ::close(fd);
  try {
    copyInto(db, temporary, file);
    syncPath(temporary, O_RDONLY);
    if (std::rename(temporary.c_str(), file.c_str()) != 0) failCopy(file, std::strerror(errno));
  } catch (...) {
    ::unlink(temporary.c_str());
    ::unlink((temporary + "-journal").c_str());
    throw;
  }
  syncPath(folderOf(file), O_RDONLY | O_DIRECTORY);
}

std::string StoreCopy::integrity(Database& db) {
  return integrityOf(db.handle());
}

}  // namespace tw

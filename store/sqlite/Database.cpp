#include "store/sqlite/Database.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include "core/ErrnoText.h"
#include "core/ProtectedFiles.h"
#include "store/StoreError.h"
#include "store/sqlite/DamageMark.h"
#include "store/sqlite/FileUri.h"
#include "store/sqlite/OpenFiles.h"
#include "store/sqlite/Schema.h"

namespace tw {
namespace {

// Held from the check of a file's header until its connection is counted in OpenFiles, so
// that no other thread opens a descriptor of a file whose connection is being made.
std::mutex gOpening;

constexpr const char* kReplaced =
    "the file was replaced by another one since it was opened, so its items are gone";

std::string causeOf(int code, int systemError, const char* message) {
  std::string detail = message ? message : sqlite3_errstr(code);
  switch (code & 0xff) {
    case SQLITE_CANTOPEN:
      return "it cannot be opened: " + (systemError != 0 ? ErrnoText::of(systemError) : detail);
    case SQLITE_NOTADB:
      return "it is not a database (it may be damaged or belong to another program)";
    case SQLITE_CORRUPT:
      return "the database is damaged (" + detail + ")";
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return "permission denied";
    case SQLITE_READONLY:
      return "it is read-only and cannot be changed";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "it is locked by another program; try again in a moment";
    case SQLITE_FULL:
      return "the disk is full";
    case SQLITE_IOERR:
      if (systemError == ENOSPC) return "the disk is full";
      if (systemError == EACCES || systemError == EPERM) return "permission denied";
      return "reading or writing it failed (" + detail + ")";
    default:
      return detail;
  }
}

std::string folderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

Database::Database(std::string path, Mode mode, int busyTimeoutMs)
    : path_(std::move(path)), busyTimeoutMs_(busyTimeoutMs) {
  {
    const std::lock_guard lock(gOpening);
    if (mode == Mode::Create) {
      prepareFolder();
      if (!exists(path_)) createFile();
    }
    openConnection(mode);
    OpenFiles::add(device_, inode_);
  }
  waitAtMost(busyTimeoutMs_);
  try {
    // Large transactions (an import, a first synchronisation) keep their pages in memory
    // instead of spilling them to the log midway: up to 64 MB where the store is written. A
    // reader keeps SQLite's 2 MB, as a read of the whole journal would only fill a larger cache
    // with pages it never reads again. Pages are read, not mapped into memory, so that such a
    // read holds no more of the file than the cache at a time.
    if (mode == Mode::Create) execute("PRAGMA cache_size = -65536");
    schemaVersion_ = Schema::prepare(*this);
  } catch (...) {
    closeConnection();
    OpenFiles::remove(device_, inode_);
    throw;
  }
  ProtectedFiles::add(path_);
}

Database::~Database() {
  ProtectedFiles::remove(path_);
  closeConnection();
  OpenFiles::remove(device_, inode_);
}

void Database::failWith(const std::string& cause) const {
  throw StoreError("The store file \"" + path_ + "\" cannot be used: " + cause + ".", cause);
}

void Database::fail(int code) const {
  const int systemError = db_ ? sqlite3_system_errno(db_) : 0;
  const std::string cause = causeOf(code, systemError, db_ ? sqlite3_errmsg(db_) : nullptr);
  if ((code & 0xff) == SQLITE_CORRUPT) noteDamage(cause);
  failWith(cause);
}

// Writing into a damaged file may spread the damage: every program refuses it from now on.
void Database::noteDamage(const std::string& what) const {
  damage_ = what;
  const std::string unnoted = DamageMark(path_).record(device_, inode_, what);
  failWith(damaged() +
           (unnoted.empty() ? "" : " (other programs could not be told: " + unnoted + ")"));
}

void Database::noteCheck(const std::string& result) {
  if (result == "ok") {
    damage_.clear();
    DamageMark(path_).clear();
  } else {
    damage_ = "the check found: " + result.substr(0, result.find('\n'));
    DamageMark(path_).record(device_, inode_, damage_);
  }
}

std::string Database::damaged() const {
  return "it is damaged (" + damage_ + "), so nothing is written to it; `tallyworks --store \"" +
         path_ + "\" recover NEW-FILE` saves what can still be read into a new store";
}

// Missing folders are made private to the user: a billing journal is nobody else's business.
void Database::prepareFolder() const {
  namespace fs = std::filesystem;
  fs::path folder = fs::path(path_).parent_path();
  std::vector<fs::path> missing;
  std::error_code ec;
  for (; !folder.empty() && !fs::exists(folder, ec); folder = folder.parent_path())
    missing.push_back(folder);
  std::reverse(missing.begin(), missing.end());
  for (const fs::path& created : missing) {
    if (::mkdir(created.c_str(), 0700) != 0 && errno != EEXIST) {
      const int error = errno;
      failWith("its folder cannot be created: " +
               (error == EACCES || error == EROFS
                    ? "the folder " + folderOf(created.string()) + " is read-only"
                    : ErrnoText::of(error)));
    }
  }
}

void Database::createFile() const {
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0 && errno != EEXIST) {
    const int error = errno;
    failWith(error == EACCES || error == EROFS ? "its folder is read-only" : ErrnoText::of(error));
  }
  if (fd >= 0) ::close(fd);
}

// SQLite would read a valid database out of a write-ahead log left beside a file that is no
// database at all, and later copy it into that file; such a file is refused before SQLite sees
// it. The header is read only while no connection of this process has the file open.
void Database::checkHeader() const {
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) failWith(ErrnoText::of(errno));
  char header[16] = {};
  const ssize_t got = ::read(fd, header, sizeof header);
  ::close(fd);
  if (got > 0 && (got < 16 || std::memcmp(header, "SQLite format 3", 16) != 0)) fail(SQLITE_NOTADB);
}

void Database::openConnection(Mode mode) {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    const int error = errno;
    if (error == ENOENT)
      failWith(exists(folderOf(path_)) ? "the file does not exist" : "its folder does not exist");
    failWith(ErrnoText::of(error));
  }
  if (!S_ISREG(st.st_mode))
    failWith(S_ISDIR(st.st_mode) ? "it is a folder, not a store file"
                                 : "it is a device or a pipe, not a store file");
  damage_ = DamageMark(path_).found(st.st_dev, st.st_ino);
  if (!damage_.empty() && mode == Mode::Create) failWith(damaged());
  if (!OpenFiles::connected(st.st_dev, st.st_ino)) checkHeader();
  const bool writable =
      ::access(path_.c_str(), R_OK | W_OK) == 0 && ::access(folderOf(path_).c_str(), W_OK) == 0;
  // SQLite would open a file it may not write read-only and make its -wal and -shm files for
  // this user, which the store's owner can then neither write nor remove.
  if (mode == Mode::Create && !writable) failWith(notWritable());
  readOnly_ = mode == Mode::ReadOnly && !writable;
  // A Database serves one thread at a time, so SQLite need not lock the connection per call.
  int flags = SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
  std::string name = path_;
  if (readOnly_) {
    flags |= SQLITE_OPEN_READONLY;
    // Without a log beside it the file holds the whole store: it is read as it stands, and no
    // -wal or -shm file is made where the user may not write.
    if (!exists(path_ + "-wal")) name = FileUri::of(path_) + "?immutable=1";
  } else {
    flags |= SQLITE_OPEN_READWRITE;
  }
  const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string cause = causeOf(rc, sqlite3_system_errno(db_), nullptr);
    closeConnection();
    db_ = nullptr;
    failWith(cause);
  }
  device_ = st.st_dev;
  inode_ = st.st_ino;
}

std::string Database::notWritable() const {
  if (::access(path_.c_str(), R_OK | W_OK) != 0) {
    const int error = errno;
    return error == EACCES ? "it is read-only and cannot be changed (permission denied)"
                           : ErrnoText::of(error);
  }
  return "it cannot be changed: its folder " + folderOf(path_) + " is read-only";
}

void Database::checkFile(bool write) const {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    const int error = errno;
    failWith(error == ENOENT ? "the file no longer exists" : ErrnoText::of(error));
  }
  if (st.st_dev != device_ || st.st_ino != inode_) failWith(kReplaced);
  if (readOnly_ && write) failWith("it is read-only and cannot be changed");
  if (::access(path_.c_str(), write ? R_OK | W_OK : R_OK) != 0) {
    const int error = errno;
    failWith(write && error == EACCES ? "it is read-only and cannot be changed (permission denied)"
                                      : ErrnoText::of(error));
  }
}

void Database::closeConnection() noexcept {
  for (auto& [sql, kept] : statements_)
    for (sqlite3_stmt* statement : kept) sqlite3_finalize(statement);
  statements_.clear();
  sqlite3_close_v2(db_);
}

sqlite3_stmt* Database::prepare(const std::string& sql) {
  std::vector<sqlite3_stmt*>& kept = statements_[sql];
  if (!kept.empty()) {
    sqlite3_stmt* statement = kept.back();
    kept.pop_back();
    return statement;
  }
  sqlite3_stmt* statement = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr);
  if (rc != SQLITE_OK) fail(rc);
  return statement;
}

void Database::release(const std::string& sql, sqlite3_stmt* statement) noexcept {
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  try {
    statements_[sql].push_back(statement);
  } catch (const std::bad_alloc&) {
    sqlite3_finalize(statement);
  }
}

void Database::execute(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail(rc);
}

void Database::begin() {
  if (depth_ == 0) {
    if (!damage_.empty()) failWith(damaged());
    checkFile(true);
    execute("BEGIN IMMEDIATE");
    failed_ = false;
  }
  ++depth_;
}

void Database::commit() {
  if (depth_ > 1) {
    --depth_;
    return;
  }
  if (failed_) {
    rollback();
    failWith("a part of the change failed, so none of it was stored");
  }
  const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    const std::string cause = causeOf(rc, sqlite3_system_errno(db_), sqlite3_errmsg(db_));
    rollback();
    failWith(cause);
  }
  depth_ = 0;
}

void Database::rollback() noexcept {
  if (depth_ > 1) {
    // An inner failure dooms the whole transaction; the outermost ends it.
    failed_ = true;
    --depth_;
    return;
  }
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  depth_ = 0;
  failed_ = false;
}

void Database::waitAtMost(int milliseconds) {
  sqlite3_busy_timeout(db_, milliseconds < 0 ? busyTimeoutMs_ : milliseconds);
}

std::int64_t Database::lastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
  return sqlite3_changes(db_);
}

std::int64_t Database::dataVersion() {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &stmt, nullptr);
  std::int64_t version = 0;
  if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
  if (rc == SQLITE_ROW) version = sqlite3_column_int64(stmt, 0);
  sqlite3_finalize(stmt);
  if (rc != SQLITE_ROW) fail(rc);
  return version;
}

}  // namespace tw

#include "store/Connection.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "store/Schema.h"
#include "store/StoreError.h"

namespace tw {
namespace {

std::atomic<int> gBusyTimeout{3000};

constexpr const char* kReplaced =
    "the file was replaced by another one since it was opened, so its items are gone";

std::string systemCause(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOENT:
      return "the file or its folder does not exist";
    case EROFS:
      return "it is on a read-only file system";
    case ENOSPC:
      return "the disk is full";
    default:
      return std::strerror(error);
  }
}

std::string causeOf(int code, int systemError, const char* message) {
  std::string detail = message ? message : sqlite3_errstr(code);
  switch (code & 0xff) {
    case SQLITE_CANTOPEN:
      return "it cannot be opened: " + (systemError != 0 ? systemCause(systemError) : detail);
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

}  // namespace

Connection::Connection(std::string path) : path_(std::move(path)) {
  open(true);
}

Connection::~Connection() {
  release();
}

void Connection::setBusyTimeout(int milliseconds) {
  gBusyTimeout = milliseconds;
}

void Connection::failWith(const std::string& cause) const {
  throw StoreError("The store file \"" + path_ + "\" cannot be used: " + cause + ".");
}

void Connection::fail(int code) const {
  const int systemError = db_ ? sqlite3_system_errno(db_) : 0;
  failWith(causeOf(code, systemError, db_ ? sqlite3_errmsg(db_) : nullptr));
}

void Connection::release() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

// SQLite would read a valid database out of a write-ahead log left beside a file that is no
// database at all, and later copy it into that file; such a file is refused before SQLite
// sees it.
void Connection::checkHeader() const {
  std::ifstream in(path_, std::ios::binary);
  if (!in) failWith(systemCause(errno));
  char header[16] = {};
  in.read(header, sizeof header);
  const std::streamsize got = in.gcount();
  if (got > 0 && (got < 16 || std::memcmp(header, "SQLite format 3", 16) != 0)) fail(SQLITE_NOTADB);
}

void Connection::open(bool create) {
  namespace fs = std::filesystem;
  if (create) {
    const fs::path parent = fs::path(path_).parent_path();
    std::error_code ec;
    if (!parent.empty() && !fs::exists(parent, ec)) {
      fs::create_directories(parent, ec);
      if (ec) failWith("its folder cannot be created: " + systemCause(ec.value()));
    }
  }
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0) {
    if (known_ && (st.st_dev != device_ || st.st_ino != inode_)) failWith(kReplaced);
    if (S_ISREG(st.st_mode)) checkHeader();
  } else if (!create) {
    failWith(errno == ENOENT ? "the file no longer exists" : systemCause(errno));
  }
  const int flags =
      SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_EXRESCODE;
  const int rc = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string cause = causeOf(rc, sqlite3_system_errno(db_), nullptr);
    release();
    failWith(cause);
  }
  sqlite3_busy_timeout(db_, gBusyTimeout.load());
  if (::stat(path_.c_str(), &st) != 0) {
    const int error = errno;
    release();
    failWith(systemCause(error));
  }
  if (known_ && (st.st_dev != device_ || st.st_ino != inode_)) {
    release();
    failWith(kReplaced);
  }
  device_ = st.st_dev;
  inode_ = st.st_ino;
  known_ = true;
  try {
    Schema::prepare(*this);
  } catch (...) {
    release();
    throw;
  }
}

void Connection::check(Access access) {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    const int error = errno;
    release();
    failWith(error == ENOENT ? "the file no longer exists" : systemCause(error));
  }
  if (st.st_dev != device_ || st.st_ino != inode_) {
    release();
    failWith(kReplaced);
  }
  if (::access(path_.c_str(), access == Access::Write ? R_OK | W_OK : R_OK) != 0) {
    const int error = errno;
    failWith(access == Access::Write && error == EACCES
                 ? "it is read-only and cannot be changed (permission denied)"
                 : systemCause(error));
  }
}

sqlite3* Connection::handle(Access access) {
  if (db_) check(access);
  if (!db_) {
    open(false);
    check(access);
  }
  return db_;
}

void Connection::rollback() noexcept {
  if (db_ && !sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Connection::execute(const char* sql) {
  const int rc = sqlite3_exec(handle(Access::Write), sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) fail(rc);
}

std::int64_t Connection::lastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}

int Connection::changes() const {
  return sqlite3_changes(db_);
}

}  // namespace tw

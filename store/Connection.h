#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

struct sqlite3;

namespace tw {

class Statement;

// The one SQLite handle behind an Application and every item taken from it. The handle is
// opened with the Application; before each use the store file is checked again, so a file
// that was removed, replaced or made inaccessible makes the next operation fail instead of
// writing somewhere nobody reads. Releasing closes the handle; the next use reopens it, but
// never creates a missing file nor works on another file put in the old one's place.
class Connection {
 public:
  enum class Access { Read, Write };

  // Opens the store file, creating it and its folder when missing, and brings its schema
  // up to date.
  explicit Connection(std::string path);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const std::string& path() const { return path_; }
  // The open handle for an operation of the given kind; reopens a released handle.
  sqlite3* handle(Access access);
  void release();

  // Throws the StoreError describing an SQLite result code for this store file.
  [[noreturn]] void fail(int code) const;
  // Throws a StoreError with a cause of the system's own wording.
  [[noreturn]] void failWith(const std::string& cause) const;
  void execute(const char* sql);
  // Ends an open transaction without its changes; never throws.
  void rollback() noexcept;
  std::int64_t lastInsertId() const;
  int changes() const;

  // Milliseconds a busy store is waited for before the "locked" error.
  static void setBusyTimeout(int milliseconds);

 private:
  void open(bool create);
  void check(Access access);
  void checkHeader() const;

  std::string path_;
  sqlite3* db_ = nullptr;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  // Set once the file is opened: from then on the connection works on that file only.
  bool known_ = false;
};

}  // namespace tw

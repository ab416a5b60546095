#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tw {

// One SQLite connection to a store file, with the checks around it: a file that is no SQLite
// database is refused before SQLite sees it; before each operation the file is looked at
// again, so a file that was removed, replaced or made inaccessible makes the operation fail
// instead of writing somewhere nobody reads.
class Database {
 public:
  enum class Mode {
    // Creates the file (mode 0600) and its folders (0700) when missing.
    Create,
    // Never creates anything; reads a store the user may not write, leaving no -wal or -shm
    // file behind.
    ReadOnly,
  };

  Database(std::string path, Mode mode, int busyTimeoutMs);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& path() const { return path_; }
  sqlite3* handle() const { return db_; }
  bool readOnly() const { return readOnly_; }
  // The layout version of the file (Schema), as it stands after opening.
  int schemaVersion() const { return schemaVersion_; }

  // Fails when the file is gone, replaced, or (for a write) not writable.
  void checkFile(bool write) const;
  // Throws the StoreError describing an SQLite result code for this file.
  [[noreturn]] void fail(int code) const;
  // Throws a StoreError naming the file, with a cause in the system's own words.
  [[noreturn]] void failWith(const std::string& cause) const;
  // The result of a full check: "ok" lifts a note of damage (DamageMark), anything else
  // leaves one. A store found damaged is refused for writing, also when opened for it.
  void noteCheck(const std::string& result);
  void execute(const char* sql);

  // Transactions nest: only the outermost begins (BEGIN IMMEDIATE) and ends one.
  void begin();
  void commit();
  // Ends the outermost transaction without its changes; never throws.
  void rollback() noexcept;
  bool inTransaction() const { return depth_ > 0; }
  // How long a call waits for another connection's write to end before it fails; the wait
  // the connection was opened with when negative.
  void waitAtMost(int milliseconds);

  std::int64_t lastInsertId() const;
  int changes() const;
  std::int64_t dataVersion();

  // A prepared statement of sql, kept from an earlier use when there is one (preparing costs
  // more than running most statements); given back, reset, with release.
  sqlite3_stmt* prepare(const std::string& sql);
  void release(const std::string& sql, sqlite3_stmt* statement) noexcept;

 private:
  void prepareFolder() const;
  void createFile() const;
  void checkHeader() const;
  void openConnection(Mode mode);
  [[noreturn]] void noteDamage(const std::string& what) const;
  std::string damaged() const;
  // Why the file cannot be opened for writing.
  std::string notWritable() const;
  // Finalizes the kept statements, so that closing really closes.
  void closeConnection() noexcept;

  std::string path_;
  int busyTimeoutMs_ = 0;
  sqlite3* db_ = nullptr;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  bool readOnly_ = false;
  int schemaVersion_ = 0;
  int depth_ = 0;
  bool failed_ = false;
  // What damage was found, empty while none was. Noted also by the failing reads of another
  // thread (BatchReader), which uses the connection alone meanwhile.
  mutable std::string damage_;
  std::unordered_map<std::string, std::vector<sqlite3_stmt*>> statements_;
};

}  // namespace tw

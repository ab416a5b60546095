#pragma once

#include <string>

#include "store/HamsterFacts.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tw {

// A Hamster database read through SQLite without changing it: opened read-only and immutable
// (no lock, no journal, nothing written beside it), its tables and columns checked before a
// fact is read.
class SqliteHamsterFacts : public HamsterFacts {
 public:
  explicit SqliteHamsterFacts(std::string path);
  ~SqliteHamsterFacts() override;
  SqliteHamsterFacts(const SqliteHamsterFacts&) = delete;
  SqliteHamsterFacts& operator=(const SqliteHamsterFacts&) = delete;

  void visit(const Visitor& visitor) override;

 private:
  [[noreturn]] void fail(const std::string& cause) const;
  [[noreturn]] void failCode(int code) const;
  void checkSchema();
  sqlite3_stmt* prepare(const char* sql);
  bool step(sqlite3_stmt* statement);
  std::string text(sqlite3_stmt* statement, int column, std::int64_t fact, const char* what,
                   bool nullable) const;

  std::string path_;
  sqlite3* db_ = nullptr;
};

}  // namespace tw

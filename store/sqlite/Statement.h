#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace tw {

class Database;

// One prepared SQL statement; parameters and columns are numbered as SQLite numbers them
// (parameters from 1, columns from 0). Failures throw StoreError through the database, which
// keeps the prepared statement for the next use of the same SQL.
class Statement {
 public:
  Statement(Database& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, std::string_view value);
  // True while a row is ready; false when done.
  bool step();
  // Runs a statement that returns no rows.
  void run();
  // Ready to run again, with no parameters bound.
  void reset();

  std::int64_t integer(int column) const;
  std::string_view text(int column) const;

 private:
  Database& db_;
  std::string sql_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/Connection.h"

struct sqlite3_stmt;

namespace tw {

class Connection;

// One prepared SQL statement; parameters and columns are numbered as SQLite numbers them
// (parameters from 1, columns from 0). Failures throw StoreError through the connection.
class Statement {
 public:
  Statement(Connection& connection, Connection::Access access, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, std::string_view value);
  // True while a row is ready; false when done.
  bool step();
  // Runs a statement that returns no rows.
  void run();
  void reset();

  std::int64_t integer(int column) const;
  std::string_view text(int column) const;

 private:
  Connection& connection_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace tw

#include "store/sqlite/Statement.h"

#include <sqlite3.h>

#include "store/sqlite/Database.h"

namespace tw {

Statement::Statement(Database& db, const char* sql) : db_(db), sql_(sql) {
  stmt_ = db_.prepare(sql_);
}

Statement::~Statement() {
  db_.release(sql_, stmt_);
}

Statement& Statement::bind(int index, std::int64_t value) {
  const int rc = sqlite3_bind_int64(stmt_, index, value);
  if (rc != SQLITE_OK) db_.fail(rc);
  return *this;
}

Statement& Statement::bind(int index, std::string_view value) {
  const int rc = sqlite3_bind_text64(stmt_, index, value.empty() ? "" : value.data(), value.size(),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
  if (rc != SQLITE_OK) db_.fail(rc);
  return *this;
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  db_.fail(rc);
}

void Statement::run() {
  while (step()) {
  }
}

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::integer(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string_view Statement::text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!p) return {};
  return {p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

}  // namespace tw

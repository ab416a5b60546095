#include "store/sqlite/SqliteHamsterFacts.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "store/StoreError.h"
#include "store/sqlite/FileUri.h"

namespace tw {
namespace {

// The tables and columns read; a database without them is not Hamster's.
struct Table {
  const char* name;
  std::set<std::string> columns;
};
const Table kTables[] = {
    {"facts", {"id", "activity_id", "start_time", "end_time", "description"}},
    {"activities", {"id", "name", "category_id"}},
    {"categories", {"id", "name"}},
    {"tags", {"id", "name"}},
    {"fact_tags", {"fact_id", "tag_id"}},
};

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

}  // namespace

SqliteHamsterFacts::SqliteHamsterFacts(std::string path) : path_(std::move(path)) {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) fail(std::strerror(errno));
  if (!S_ISREG(st.st_mode)) fail("it is not a file");
  const int rc =
      sqlite3_open_v2((FileUri::of(path_) + "?mode=ro&immutable=1").c_str(), &db_,
                      SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
  // The connection is made even when opening fails, and the destructor does not run when the
  // constructor throws: it is closed here.
  try {
    if (rc != SQLITE_OK) failCode(rc);
    checkSchema();
  } catch (...) {
    sqlite3_close_v2(db_);
    throw;
  }
}

SqliteHamsterFacts::~SqliteHamsterFacts() {
  sqlite3_close_v2(db_);
}

void SqliteHamsterFacts::fail(const std::string& cause) const {
  throw StoreError("The Hamster database \"" + path_ + "\" cannot be read: " + cause + ".", cause);
}

void SqliteHamsterFacts::failCode(int code) const {
  switch (code & 0xff) {
    case SQLITE_NOTADB:
      fail("it is not a database");
    case SQLITE_CORRUPT:
      fail("the database is damaged");
    default:
      fail(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
  }
}

sqlite3_stmt* SqliteHamsterFacts::prepare(const char* sql) {
  sqlite3_stmt* s = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql, -1, &s, nullptr);
  if (rc != SQLITE_OK) failCode(rc);
  return s;
}

bool SqliteHamsterFacts::step(sqlite3_stmt* s) {
  const int rc = sqlite3_step(s);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) failCode(rc);
  return false;
}

void SqliteHamsterFacts::checkSchema() {
  for (const Table& table : kTables) {
    const Statement s(prepare("SELECT name FROM pragma_table_info(?1)"), sqlite3_finalize);
    sqlite3_bind_text(s.get(), 1, table.name, -1, SQLITE_STATIC);
    std::set<std::string> missing = table.columns;
    while (step(s.get()))
      missing.erase(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
    if (!missing.empty())
      fail("it is not a Hamster database (its table \"" + std::string(table.name) +
           "\" is missing or lacks the column \"" + *missing.begin() + "\")");
  }
}

std::string SqliteHamsterFacts::text(sqlite3_stmt* s, int column, std::int64_t fact,
                                     const char* what, bool nullable) const {
  const int type = sqlite3_column_type(s, column);
  const std::string where = "fact " + std::to_string(fact) + ": its " + what;
  if (type == SQLITE_NULL) {
    if (!nullable) fail(where + " is missing");
    return {};
  }
  if (type != SQLITE_TEXT) fail(where + " is not a text");
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
  const auto n = static_cast<std::size_t>(sqlite3_column_bytes(s, column));
  if (n > kMostText) fail(where + " is longer than " + std::to_string(kMostText) + " bytes");
  return {p, n};
}

void SqliteHamsterFacts::visit(const Visitor& visitor) {
  std::map<std::int64_t, std::vector<std::string>> tags;
  const Statement t(prepare("SELECT ft.fact_id, t.name FROM fact_tags ft JOIN tags t"
                            " ON t.id = ft.tag_id ORDER BY ft.fact_id, ft.rowid"),
                    sqlite3_finalize);
  while (step(t.get())) {
    const std::int64_t fact = sqlite3_column_int64(t.get(), 0);
    tags[fact].push_back(text(t.get(), 1, fact, "tag", false));
  }
  const Statement s(
      prepare("SELECT f.id, f.start_time, f.end_time, a.name, c.name, f.description"
              " FROM facts f LEFT JOIN activities a ON a.id = f.activity_id"
              " LEFT JOIN categories c ON c.id = a.category_id ORDER BY f.start_time, f.id"),
      sqlite3_finalize);
  Fact f;
  while (step(s.get())) {
    if (sqlite3_column_type(s.get(), 0) != SQLITE_INTEGER) fail("a fact's id is not a number");
    f.id = sqlite3_column_int64(s.get(), 0);
    f.start = text(s.get(), 1, f.id, "start", false);
    f.end = text(s.get(), 2, f.id, "end", true);
    f.activity = text(s.get(), 3, f.id, "activity", true);
    f.category = text(s.get(), 4, f.id, "category", true);
    f.description = text(s.get(), 5, f.id, "description", true);
    const auto found = tags.find(f.id);
    f.tags = found == tags.end() ? std::vector<std::string>{} : found->second;
    visitor(f);
  }
}

}  // namespace tw

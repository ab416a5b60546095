#include "store/sqlite/StoreRecovery.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "core/FileError.h"
#include "core/FileWriter.h"
#include "core/ProtectedFiles.h"
#include "store/StoreError.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/RowSalvage.h"
#include "store/sqlite/StoreCopy.h"
#include "store/sqlite/Transaction.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

// A table of the store: its columns, their types (i integer, t text), whether a row read
// replaces the new store's own (the timer's single row), and what is read instead from a store
// of an earlier version that lacks a column.
struct Table {
  const char* name;
  const char* columns;
  const char* types;
  bool rowid;
  bool replace;
  const char* earlier = nullptr;
};

constexpr Table kTables[] = {
    {"tasks", "id, uid, subject, categories, status, modified, list", "itttiit", true, false,
     "id, uid, subject, categories, status, modified, ''"},
    {"journal",
     "id, uid, subject, start, utc_offset, seconds, categories, type, companies, body, task_uid,"
     " modified",
     "ittiiittttti", true, false},
    {"timer", "only, entry, started, base_seconds, owner_pid, owner_start, generation, saved_at",
     "iiiiiiii", true, true},
    {"tombstones", "uid, kind, deleted", "tti", false, false},
    {"sync_items", "kind, uid, href, etag, ical, digest", "ttttti", true, false},
    {"sync_collections", "kind, url, home, sync_token, ctag, report_refused, is_default", "tttttii",
     false, false, "kind, url, home, sync_token, ctag, 0, 1"},
    {"sync_conflicts", "id, kind, uid, fields, local_ical, saved", "itttti", true, false},
    {"sync_holds", "kind, uid, here_only, digest, status, reason, since", "ttiiiti", false, false},
};

// What was lost is fetched again from the calendar server rather than deleted there.
constexpr const char* kForgetLost = R"sql(
DELETE FROM sync_items WHERE kind = 'entry' AND uid NOT IN (SELECT uid FROM journal);
DELETE FROM sync_items WHERE kind = 'task' AND uid NOT IN (SELECT uid FROM tasks);
DELETE FROM sync_holds WHERE kind = 'entry' AND uid NOT IN (SELECT uid FROM journal);
DELETE FROM sync_holds WHERE kind = 'task' AND uid NOT IN (SELECT uid FROM tasks);
UPDATE sync_collections SET sync_token = '', ctag = '';
UPDATE timer SET entry = 0 WHERE entry NOT IN (SELECT id FROM journal);
)sql";

[[noreturn]] void fail(const std::string& damaged, const std::string& cause) {
  throw StoreError("The store file \"" + damaged + "\" cannot be recovered: " + cause + ".");
}

// A private folder, removed with what is in it.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& damaged) {
    std::string pattern = (fs::temp_directory_path() / "tallyworks-recover-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) fail(damaged, "no temporary folder can be made");
    path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  std::string file(const char* name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

struct Close {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, Close>;

// The copy of the damaged store (and of its log, which holds its latest changes).
Connection openCopy(const std::string& damaged, const WorkFolder& work) {
  std::error_code ec;
  fs::copy_file(damaged, work.file("damaged.db"), ec);
  if (!ec && fs::exists(damaged + "-wal"))
    fs::copy_file(damaged + "-wal", work.file("damaged.db-wal"), ec);
  if (ec) fail(damaged, "it cannot be read (" + ec.message() + ")");
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(work.file("damaged.db").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  Connection copy(db);
  if (rc != SQLITE_OK || sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr,
                                      nullptr) != SQLITE_OK)
    fail(damaged, "nothing in it can be read, not even the list of its tables");
  return copy;
}

bool readable(sqlite3* db, const Table& table, const char* columns) {
  sqlite3_stmt* s = nullptr;
  const std::string sql = std::string("SELECT ") + columns + " FROM " + table.name + " LIMIT 0";
  const bool prepared = sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK;
  sqlite3_finalize(s);
  return prepared;
}

// The columns to read from the damaged store; null when it has no such table.
const char* columnsOf(sqlite3* db, const Table& table) {
  if (readable(db, table, table.columns)) return table.columns;
  return table.earlier && readable(db, table, table.earlier) ? table.earlier : nullptr;
}

// How many rows the damaged table has by its smallest index, or -1 when that cannot be read.
std::int64_t countOf(sqlite3* db, const char* table) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, (std::string("SELECT count(*) FROM ") + table).c_str(), -1, &s, nullptr);
  const std::int64_t n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
  sqlite3_finalize(s);
  return n;
}

bool copyRow(sqlite3_stmt* row, sqlite3_stmt* insert, const Table& table) {
  const std::string types = table.types;
  for (std::size_t i = 0; i < types.size(); ++i) {
    const int want = types[i] == 'i' ? SQLITE_INTEGER : SQLITE_TEXT;
    if (sqlite3_column_type(row, static_cast<int>(i)) != want) return false;
  }
  sqlite3_reset(insert);
  for (std::size_t i = 0; i < types.size(); ++i)
    sqlite3_bind_value(insert, static_cast<int>(i) + 1,
                       sqlite3_column_value(row, static_cast<int>(i)));
  return sqlite3_step(insert) == SQLITE_DONE && sqlite3_changes(sqlite3_db_handle(insert)) > 0;
}

RowSalvage::Counts salvage(sqlite3* from, Database& into, const Table& table) {
  const char* columns = columnsOf(from, table);
  if (!columns) return {};
  std::string marks = "?";
  for (std::size_t i = 1; i < std::string(table.types).size(); ++i) marks += ", ?";
  const std::string sql = std::string(table.replace ? "INSERT OR REPLACE" : "INSERT OR IGNORE") +
                          " INTO " + table.name + "(" + table.columns + ") VALUES(" + marks + ")";
  sqlite3_stmt* insert = nullptr;
  if (sqlite3_prepare_v2(into.handle(), sql.c_str(), -1, &insert, nullptr) != SQLITE_OK)
    into.fail(sqlite3_errcode(into.handle()));
  const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(insert, sqlite3_finalize);
  return RowSalvage(from, table.name, columns, table.rowid).run([&](sqlite3_stmt* row) {
    return copyRow(row, insert, table);
  });
}

std::string countText(std::int64_t n) {
  std::string digits = std::to_string(n);
  for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

// "2,950 of 3,000 journal entries".
std::string savedText(const RowSalvage::Counts& c, std::int64_t before, const char* noun) {
  return countText(c.saved) + (before >= c.saved ? " of " + countText(before) : "") + " " + noun;
}

std::string recoverInto(const std::string& damaged, const std::string& target) {
  const WorkFolder work(damaged);
  const Connection source = openCopy(damaged, work);
  FileWriter out(target, FileWriter::Targets::Files);
  RowSalvage::Counts counts[std::size(kTables)];
  {
    Database fresh(out.temporaryPath(), Database::Mode::Create, 3000);
    Transaction tx(fresh);
    for (std::size_t i = 0; i < std::size(kTables); ++i)
      counts[i] = salvage(source.get(), fresh, kTables[i]);
    fresh.execute(kForgetLost);
    tx.commit();
    const std::string sound = StoreCopy::integrity(fresh);
    if (sound != "ok") fail(damaged, "the new store is not sound (" + sound + ")");
  }
  out.commit();
  std::int64_t damagedPlaces = 0;
  for (const RowSalvage::Counts& c : counts) damagedPlaces += c.damaged;
  return "saved " + savedText(counts[1], countOf(source.get(), "journal"), "journal entries") +
         " and " + savedText(counts[0], countOf(source.get(), "tasks"), "tasks") + " in " + target +
         "; " + countText(damagedPlaces) +
         (damagedPlaces == 1 ? " damaged place was" : " damaged places were") + " skipped; \"" +
         damaged + "\" is left as it was";
}

}  // namespace

std::string StoreRecovery::run(const std::string& damaged, const std::string& target) {
  if (!ProtectedFiles::storeIncluding(damaged).empty()) fail(damaged, "it is open in this program");
  try {
    return recoverInto(damaged, target);
  } catch (const FileError& e) {
    throw StoreError(e.what());
  }
}

}  // namespace tw

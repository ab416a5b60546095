#include "store/sqlite/RowSalvage.h"

#include <sqlite3.h>

#include <limits>
#include <memory>
#include <utility>

namespace tw {
namespace {

constexpr std::int64_t kLast = std::numeric_limits<std::int64_t>::max();

struct Finalize {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Query = std::unique_ptr<sqlite3_stmt, Finalize>;

Query prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return nullptr;
  }
  return Query(stmt);
}

void take(sqlite3_stmt* row, const RowSalvage::RowSink& sink, RowSalvage::Counts& counts) {
  ++(sink(row) ? counts.saved : counts.refused);
}

}  // namespace

RowSalvage::RowSalvage(sqlite3* db, std::string table, std::string columns, bool withRowid)
    : db_(db), table_(std::move(table)), columns_(std::move(columns)), withRowid_(withRowid) {}

RowSalvage::Counts RowSalvage::run(const RowSink& sink) {
  return withRowid_ ? byRowid(sink) : fromBothEnds(sink);
}

int RowSalvage::seek(std::int64_t from, std::int64_t& found) {
  const Query q =
      prepare(db_, "SELECT rowid FROM " + table_ + " WHERE rowid >= ?1 ORDER BY rowid LIMIT 1");
  if (!q) return -1;
  sqlite3_bind_int64(q.get(), 1, from);
  const int rc = sqlite3_step(q.get());
  if (rc == SQLITE_ROW) found = sqlite3_column_int64(q.get(), 0);
  return rc == SQLITE_ROW ? 1 : rc == SQLITE_DONE ? 0 : -1;
}

bool RowSalvage::walkFrom(std::int64_t from, std::int64_t& last, bool& any, const RowSink& sink,
                          Counts& counts) {
  const Query q = prepare(
      db_, "SELECT " + columns_ + ", rowid FROM " + table_ + " WHERE rowid >= ?1 ORDER BY rowid");
  if (!q) return false;
  sqlite3_bind_int64(q.get(), 1, from);
  const int rowidColumn = sqlite3_column_count(q.get()) - 1;
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(q.get())) == SQLITE_ROW) {
    last = sqlite3_column_int64(q.get(), rowidColumn);
    any = true;
    take(q.get(), sink, counts);
  }
  return rc == SQLITE_DONE;
}

bool RowSalvage::pastDamage(std::int64_t from, std::int64_t& next) {
  std::int64_t found = 0;
  std::int64_t step = 1;
  // Ever further, until a seek gets past the damaged pages.
  for (;;) {
    if (from > kLast - step) return false;
    if (seek(from + step, found) >= 0) break;
    if (step > kLast / 2) return false;
    step *= 2;
  }
  // Then back by halves to the first rowid whose seek succeeds.
  std::int64_t bad = from + step / 2;
  std::int64_t good = from + step;
  if (step == 1) bad = from;
  while (good - bad > 1) {
    const std::int64_t middle = bad + (good - bad) / 2;
    (seek(middle, found) >= 0 ? good : bad) = middle;
  }
  next = good;
  return true;
}

RowSalvage::Counts RowSalvage::byRowid(const RowSink& sink) {
  Counts counts;
  std::int64_t from = std::numeric_limits<std::int64_t>::min();
  for (;;) {
    std::int64_t last = 0;
    bool any = false;
    if (walkFrom(from, last, any, sink, counts)) return counts;
    ++counts.damaged;
    if (any) {
      if (last == kLast) return counts;
      from = last + 1;
    }
    std::int64_t found = 0;
    const int at = seek(from, found);
    if (at == 0) return counts;
    if (at == 1) {
      // The row's own content is damaged: it alone is skipped.
      if (found == kLast) return counts;
      from = found + 1;
    } else if (!pastDamage(from, from)) {
      return counts;
    }
  }
}

RowSalvage::Counts RowSalvage::fromBothEnds(const RowSink& sink) {
  Counts counts;
  const std::string select = "SELECT " + columns_ + " FROM " + table_ + " ORDER BY 1";
  const Query up = prepare(db_, select);
  int rc = up ? SQLITE_ROW : SQLITE_CORRUPT;
  while (up && (rc = sqlite3_step(up.get())) == SQLITE_ROW) take(up.get(), sink, counts);
  if (rc == SQLITE_DONE) return counts;
  ++counts.damaged;
  // The rows after the damage, from the other end; a row read both ways is refused by the
  // sink's key the second time.
  const Query down = prepare(db_, select + " DESC");
  while (down && sqlite3_step(down.get()) == SQLITE_ROW) take(down.get(), sink, counts);
  return counts;
}

}  // namespace tw

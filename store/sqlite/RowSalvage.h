#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace tw {

// Reads the rows of one table of a damaged SQLite database that can still be read, through
// SQLite itself: a walk in key order stops at the first damaged page with SQLITE_CORRUPT, so
// the walk starts again past the damage. In a rowid table the next readable row is found by
// seeking ever further (1, 2, 4, ... rows on) and then back by halves, so only the rows of the
// damaged pages are lost; a row whose own content is damaged is skipped alone. A table without
// rowid is walked from both ends towards the damage.
class RowSalvage {
 public:
  // Receives a row of the columns asked for, in their order (from column 0); false when the row
  // did not fit the new store.
  using RowSink = std::function<bool(sqlite3_stmt* row)>;

  struct Counts {
    std::int64_t saved = 0;
    // Rows read but refused by the sink.
    std::int64_t refused = 0;
    // Places where reading failed: damaged pages or rows.
    std::int64_t damaged = 0;
  };

  // The columns must be readable from the table (a statement of them prepares).
  RowSalvage(sqlite3* db, std::string table, std::string columns, bool withRowid);
  Counts run(const RowSink& sink);

 private:
  Counts byRowid(const RowSink& sink);
  Counts fromBothEnds(const RowSink& sink);
  // Reads rows from rowid `from` on until the end (true) or a failure (false); last is the
  // rowid of the last row read.
  bool walkFrom(std::int64_t from, std::int64_t& last, bool& any, const RowSink& sink,
                Counts& counts);
  // 1: a row at or after from (its rowid in found), 0: none, -1: the seek fails.
  int seek(std::int64_t from, std::int64_t& found);
  // The first rowid after a damaged place beginning at from whose seek succeeds; false when
  // none does.
  bool pastDamage(std::int64_t from, std::int64_t& next);

  sqlite3* db_;
  std::string table_;
  std::string columns_;
  bool withRowid_;
};

}  // namespace tw

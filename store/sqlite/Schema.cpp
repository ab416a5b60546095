#include "store/sqlite/Schema.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <string>

#include "core/Instant.h"
#include "core/TimeZone.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/Statement.h"
#include "store/sqlite/Transaction.h"

namespace tw {
namespace {

// "TWKS": marks the file as a Tallyworks store.
constexpr std::int64_t kApplicationId = 0x54574B53;

constexpr const char* kVersion1 = R"sql(
CREATE TABLE journal(
  id INTEGER PRIMARY KEY, subject TEXT NOT NULL, categories TEXT NOT NULL, type TEXT NOT NULL,
  start INTEGER NOT NULL, duration INTEGER NOT NULL, companies TEXT NOT NULL, body TEXT NOT NULL);
CREATE TABLE tasks(
  id INTEGER PRIMARY KEY, subject TEXT NOT NULL, categories TEXT NOT NULL, status INTEGER NOT NULL);
CREATE TABLE attachments(
  journal INTEGER NOT NULL, position INTEGER NOT NULL, task INTEGER NOT NULL,
  PRIMARY KEY(journal, position)) WITHOUT ROWID;
CREATE TABLE counts(folder TEXT PRIMARY KEY, n INTEGER NOT NULL) WITHOUT ROWID;
)sql";

// Version 1 starts were local wall-clock seconds from 30 December 1899; they are read in the
// machine's time zone.
std::string version2(std::int64_t nowMillis) {
  const std::string now = std::to_string(nowMillis);
  const std::string uid = Schema::kNewUid;
  return R"sql(
CREATE TABLE tasks2(
  id INTEGER PRIMARY KEY,
  uid TEXT NOT NULL UNIQUE,
  subject TEXT NOT NULL,
  categories TEXT NOT NULL,
  status INTEGER NOT NULL,
  modified INTEGER NOT NULL);
INSERT INTO tasks2 SELECT id, )sql" +
         uid + ", subject, categories, status, " + now + R"sql( FROM tasks ORDER BY id;
CREATE TABLE journal2(
  id INTEGER PRIMARY KEY,
  uid TEXT NOT NULL UNIQUE,
  subject TEXT NOT NULL,
  start INTEGER NOT NULL,
  utc_offset INTEGER NOT NULL,
  seconds INTEGER NOT NULL,
  categories TEXT NOT NULL,
  type TEXT NOT NULL,
  companies TEXT NOT NULL,
  body TEXT NOT NULL,
  task_uid TEXT NOT NULL,
  modified INTEGER NOT NULL);
INSERT INTO journal2
  SELECT j.id, )sql" +
         uid + R"sql(, j.subject, tw_local_instant(j.start), tw_local_offset(j.start),
    j.duration * 60, j.categories, j.type, j.companies, j.body,
    coalesce((SELECT t.uid FROM attachments a JOIN tasks2 t ON t.id = a.task
              WHERE a.journal = j.id ORDER BY a.position LIMIT 1), ''), )sql" +
         now + R"sql(
  FROM journal j ORDER BY j.id;
DROP TABLE attachments;
DROP TABLE counts;
DROP TABLE journal;
DROP TABLE tasks;
ALTER TABLE tasks2 RENAME TO tasks;
ALTER TABLE journal2 RENAME TO journal;
CREATE INDEX tasks_by_subject ON tasks(subject);
CREATE INDEX journal_by_start ON journal(start, id);
CREATE INDEX journal_by_type ON journal(type, start, id);
CREATE INDEX journal_by_subject ON journal(subject, id);
CREATE INDEX journal_by_task ON journal(task_uid) WHERE task_uid <> '';
CREATE TABLE tombstones(
  uid TEXT PRIMARY KEY,
  kind TEXT NOT NULL,
  deleted INTEGER NOT NULL) WITHOUT ROWID;
CREATE TABLE timer(
  only INTEGER PRIMARY KEY CHECK (only = 1),
  entry INTEGER NOT NULL,
  started INTEGER NOT NULL,
  base_seconds INTEGER NOT NULL,
  owner_pid INTEGER NOT NULL,
  owner_start INTEGER NOT NULL,
  generation INTEGER NOT NULL,
  saved_at INTEGER NOT NULL);
INSERT INTO timer VALUES(1, 0, 0, 0, 0, 0, 0, 0);
)sql";
}

// The calendar synchronisation: a row per synchronised item (the offline queue), the state of
// each server collection, and the local versions that lost a conflict.
constexpr const char* kVersion3 = R"sql(
CREATE TABLE sync_items(
  kind TEXT NOT NULL CHECK (kind IN ('task', 'entry')),
  uid TEXT NOT NULL,
  href TEXT NOT NULL,
  etag TEXT NOT NULL,
  ical TEXT NOT NULL,
  digest INTEGER NOT NULL,
  PRIMARY KEY(kind, uid));
CREATE INDEX sync_items_by_href ON sync_items(kind, href) WHERE href <> '';
CREATE TABLE sync_collections(
  kind TEXT PRIMARY KEY CHECK (kind IN ('task', 'entry')),
  url TEXT NOT NULL,
  home TEXT NOT NULL,
  sync_token TEXT NOT NULL,
  ctag TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE sync_conflicts(
  id INTEGER PRIMARY KEY,
  kind TEXT NOT NULL CHECK (kind IN ('task', 'entry')),
  uid TEXT NOT NULL,
  fields TEXT NOT NULL,
  local_ical TEXT NOT NULL,
  saved INTEGER NOT NULL);
)sql";

// The entries of a type in the order they were written: the work marker written last decides
// whether a period of work is open.
constexpr const char* kVersion4 = R"sql(
DROP INDEX journal_by_type;
CREATE INDEX journal_by_type ON journal(type, id);
)sql";

// The calendar synchronisation's held changes (refused by the server, or kept here only) and
// when a collection's server last refused the sync-collection report.
constexpr const char* kVersion5 = R"sql(
CREATE TABLE sync_holds(
  kind TEXT NOT NULL CHECK (kind IN ('task', 'entry')),
  uid TEXT NOT NULL,
  here_only INTEGER NOT NULL,
  digest INTEGER NOT NULL,
  status INTEGER NOT NULL,
  reason TEXT NOT NULL,
  since INTEGER NOT NULL,
  PRIMARY KEY(kind, uid)) WITHOUT ROWID;
ALTER TABLE sync_collections ADD COLUMN report_refused INTEGER NOT NULL DEFAULT 0;
)sql";

// The entries imported from other programs, by source and the item's identity there
// (ImportLedger). One step of its own, independent of the others.
constexpr const char* kImportedEntries = R"sql(
CREATE TABLE IF NOT EXISTS imported(
  source TEXT NOT NULL,
  identity TEXT NOT NULL,
  entry_uid TEXT NOT NULL,
  digest INTEGER NOT NULL,
  PRIMARY KEY(source, identity)) WITHOUT ROWID;
)sql";

// Billing: clients (category names marked as clients, unique letter case aside), the rates of
// clients and tasks from the local day each takes effect (days since 1970; kFromTheStart for
// a rate in force from the beginning), the tasks' own billable flags and the invoiced periods
// (local days since 1970, first and last). One step of its own, independent of the others.
constexpr const char* kBilling = R"sql(
CREATE TABLE IF NOT EXISTS clients(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  name_key TEXT NOT NULL UNIQUE,
  currency TEXT NOT NULL,
  round_minutes INTEGER NOT NULL,
  round_mode INTEGER NOT NULL,
  round_place INTEGER NOT NULL,
  billable INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS rates(
  client_id INTEGER NOT NULL,
  task_uid TEXT NOT NULL,
  from_day INTEGER NOT NULL,
  minor_per_hour INTEGER NOT NULL,
  PRIMARY KEY(client_id, task_uid, from_day)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS task_billing(
  task_uid TEXT PRIMARY KEY,
  billable INTEGER NOT NULL) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS invoiced(
  id INTEGER PRIMARY KEY,
  client TEXT NOT NULL,
  client_key TEXT NOT NULL,
  first_day INTEGER NOT NULL,
  last_day INTEGER NOT NULL,
  marked INTEGER NOT NULL);
)sql";

bool hasColumn(Database& db, const char* table, const char* column) {
  Statement s(db, "SELECT count(*) FROM pragma_table_xinfo(?1) WHERE name = ?2");
  s.bind(1, table).bind(2, column);
  s.step();
  return s.integer(0) > 0;
}

// Each entry's local day, worked out by SQLite from its start and offset whenever they change,
// and indexed with the start: the entries of local days come in order of day, then start. One
// step of its own, independent of the others.
void addLocalDays(Database& db) {
  if (!hasColumn(db, "journal", "local_day"))
    db.execute(
        (std::string("ALTER TABLE journal ADD COLUMN local_day INTEGER GENERATED ALWAYS AS ") +
         Schema::kLocalDay + " VIRTUAL")
            .c_str());
  db.execute("CREATE INDEX IF NOT EXISTS journal_by_local_day ON journal(local_day, start, id)");
}

// The task lists: each task keeps the address of the server's list it belongs to, and each
// server collection keeps a synchronisation state of its own (one kind may have several; the
// default one takes the kind's new items). The one task collection of earlier versions stays
// the default, and the tasks synchronised with it are on it. One step of its own, independent
// of the others.
constexpr const char* kCollectionsPerUrl = R"sql(
CREATE TABLE sync_collections9(
  kind TEXT NOT NULL CHECK (kind IN ('task', 'entry')),
  url TEXT NOT NULL,
  home TEXT NOT NULL,
  sync_token TEXT NOT NULL,
  ctag TEXT NOT NULL,
  report_refused INTEGER NOT NULL,
  is_default INTEGER NOT NULL,
  PRIMARY KEY(kind, url)) WITHOUT ROWID;
INSERT INTO sync_collections9
  SELECT kind, url, home, sync_token, ctag, report_refused, 1 FROM sync_collections;
DROP TABLE sync_collections;
ALTER TABLE sync_collections9 RENAME TO sync_collections;
)sql";

// The tasks synchronised (with a row) are on the one task list earlier versions knew.
constexpr const char* kSynchronisedTasksOnTheList =
    "UPDATE tasks SET list = (SELECT url FROM sync_collections WHERE kind = 'task')"
    " WHERE uid IN (SELECT uid FROM sync_items WHERE kind = 'task')"
    " AND EXISTS (SELECT 1 FROM sync_collections WHERE kind = 'task')";

void addTaskLists(Database& db) {
  if (!hasColumn(db, "tasks", "list")) {
    db.execute("ALTER TABLE tasks ADD COLUMN list TEXT NOT NULL DEFAULT ''");
    db.execute(kSynchronisedTasksOnTheList);
  }
  if (!hasColumn(db, "sync_collections", "is_default")) db.execute(kCollectionsPerUrl);
}

// tw_local_instant(start) and tw_local_offset(start): a version 1 start read in the machine's
// time zone, as the instant it names and the offset that reads it back.
void localReading(sqlite3_context* context, int, sqlite3_value** args) {
  const bool wantOffset = sqlite3_user_data(context) != nullptr;
  try {
    const TimeZone::Reading r =
        TimeZone::resolve(DateTime::fromSeconds(sqlite3_value_int64(args[0])));
    sqlite3_result_int64(context, wantOffset ? r.offset : r.instant.unixSeconds());
  } catch (const std::exception& e) {
    sqlite3_result_error(context, e.what(), -1);
  }
}

// Any non-null pointer: the function that gives the offset.
int gOffsetTag = 0;

struct Header {
  std::int64_t applicationId = 0;
  int version = 0;
  std::int64_t objects = 0;
};

Header readHeader(Database& db) {
  Statement s(db,
              "SELECT (SELECT application_id FROM pragma_application_id),"
              " (SELECT user_version FROM pragma_user_version),"
              " (SELECT count(*) FROM sqlite_master)");
  s.step();
  return {s.integer(0), static_cast<int>(s.integer(1)), s.integer(2)};
}

void checkOwner(Database& db, const Header& h) {
  if (h.version > Schema::kVersion) db.failWith("it was written by a newer version of Tallyworks");
  if ((h.version == 0 && h.objects > 0) || (h.version > 0 && h.applicationId != kApplicationId))
    db.failWith("it is a database of another program, not a Tallyworks store");
}

std::string journalMode(Database& db) {
  Statement s(db, "PRAGMA journal_mode");
  return s.step() ? std::string(s.text(0)) : std::string();
}

void migrate(Database& db) {
  sqlite3_create_function(db.handle(), "tw_local_instant", 1, SQLITE_UTF8, nullptr, localReading,
                          nullptr, nullptr);
  sqlite3_create_function(db.handle(), "tw_local_offset", 1, SQLITE_UTF8, &gOffsetTag, localReading,
                          nullptr, nullptr);
  TimeZone::reload();
  Transaction tx(db);
  const Header h = readHeader(db);
  checkOwner(db, h);
  const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  if (h.version < 1) db.execute(kVersion1);
  if (h.version < 2) db.execute(version2(now).c_str());
  if (h.version < 3) db.execute(kVersion3);
  if (h.version < 4) db.execute(kVersion4);
  if (h.version < 5) db.execute(kVersion5);
  if (h.version < 6) db.execute(kImportedEntries);
  if (h.version < 7) addLocalDays(db);
  if (h.version < 8) db.execute(kBilling);
  if (h.version < 9) addTaskLists(db);
  db.execute(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
  db.execute(("PRAGMA user_version = " + std::to_string(Schema::kVersion)).c_str());
  tx.commit();
}

}  // namespace

std::int64_t Schema::dayNumber(DateTime day) {
  return Instant::fromLocal(day.date(), 0).unixSeconds() / 86400;
}

DateTime Schema::dayOf(std::int64_t number) {
  return Instant::fromUnix(number * 86400).local(0);
}

std::string Schema::localDayIn(int version) {
  return version >= 7 ? "local_day" : kLocalDay;
}

std::string Schema::taskListIn(int version) {
  return version >= 9 ? "list" : "''";
}

int Schema::prepare(Database& db) {
  const Header h = readHeader(db);
  checkOwner(db, h);
  if (db.readOnly()) {
    // Versions 3 to 8 lack only an index order, the synchronisation's held changes, the
    // records of imported entries, the local days, the billing tables and the tasks' lists,
    // which reading does without: they are read as they stand.
    if (h.version < 3)
      db.failWith(
          "it was written by an older version of Tallyworks; open it once where it may be "
          "written, to bring it up to date");
    return h.version;
  }
  if (journalMode(db) != "wal") db.execute("PRAGMA journal_mode = WAL");
  db.execute("PRAGMA synchronous = FULL");
  if (h.version < kVersion) migrate(db);
  return kVersion;
}

}  // namespace tw

#include "store/sqlite/SqliteJournalStore.h"

#include <limits>

#include "core/Markers.h"
#include "core/SystemClock.h"
#include "store/StoreError.h"
#include "store/sqlite/BatchReader.h"
#include "store/sqlite/EntryRows.h"
#include "store/sqlite/InvoiceLock.h"
#include "store/sqlite/Schema.h"
#include "store/sqlite/Statement.h"
#include "store/sqlite/StoreCopy.h"
#include "store/sqlite/TaskRows.h"
#include "store/sqlite/Transaction.h"

namespace tw {
namespace {

const SystemClock kSystemClock;

// Gives the connection its usual wait back when a call that waits otherwise ends.
class Waiting {
 public:
  explicit Waiting(Database& db) : db_(db) {}
  ~Waiting() { db_.waitAtMost(-1); }
  Waiting(const Waiting&) = delete;
  Waiting& operator=(const Waiting&) = delete;

 private:
  Database& db_;
};

std::string selectEntries(const char* tail) {
  return std::string("SELECT ") + EntryRows::kColumns + " FROM journal " + tail;
}

}  // namespace

SqliteJournalStore::SqliteJournalStore(const std::string& path)
    : SqliteJournalStore(path, Options{}) {}

SqliteJournalStore::SqliteJournalStore(const std::string& path, Options options)
    : db_(path, options.mode, options.busyTimeoutMs),
      clock_(options.clock ? *options.clock : kSystemClock) {}

SqliteJournalStore::~SqliteJournalStore() = default;

std::int64_t SqliteJournalStore::nowMillis() const {
  return clock_.now().unixSeconds() * 1000;
}

void SqliteJournalStore::beforeRead() {
  if (!db_.inTransaction()) db_.checkFile(false);
}

void SqliteJournalStore::transact(const std::function<void()>& work) {
  Transaction tx(db_);
  work();
  tx.commit();
}

std::int64_t SqliteJournalStore::changeCount() {
  return db_.dataVersion();
}

// ---- Tasks ----

std::vector<Task> SqliteJournalStore::tasks() {
  beforeRead();
  return TaskRows::select(db_, "ORDER BY id", {});
}

std::optional<Task> SqliteJournalStore::task(std::int64_t id) {
  beforeRead();
  auto found = TaskRows::select(db_, "WHERE id = ?1", [&](Statement& s) { s.bind(1, id); });
  return found.empty() ? std::nullopt : std::optional<Task>(found.front());
}

std::optional<Task> SqliteJournalStore::taskByUid(std::string_view uid) {
  beforeRead();
  auto found = TaskRows::select(db_, "WHERE uid = ?1", [&](Statement& s) { s.bind(1, uid); });
  return found.empty() ? std::nullopt : std::optional<Task>(found.front());
}

Task SqliteJournalStore::addTask(Task task) {
  Transaction tx(db_);
  task.modified = nowMillis();
  TaskRows::insert(db_, task);
  Statement(db_, "DELETE FROM tombstones WHERE uid = ?1").bind(1, task.uid).run();
  tx.commit();
  return task;
}

void SqliteJournalStore::updateTask(const Task& task) {
  Transaction tx(db_);
  TaskRows::update(db_, task, nowMillis());
  tx.commit();
}

void SqliteJournalStore::deleteTask(std::int64_t id) {
  Transaction tx(db_);
  const std::optional<Task> found = task(id);
  if (!found) db_.failWith("the task is no longer in the store");
  const std::int64_t uses = entriesOfTask(id);
  if (uses > 0)
    db_.failWith("the task \"" + found->subject + "\" cannot be deleted while " +
                 std::to_string(uses) + " journal entries refer to it");
  Statement(db_, "DELETE FROM tasks WHERE id = ?1").bind(1, id).run();
  leaveTombstone(found->uid, "task");
  tx.commit();
}

std::int64_t SqliteJournalStore::entriesOfTask(std::int64_t id) {
  beforeRead();
  Statement s(db_,
              "SELECT count(*) FROM journal WHERE task_uid <> ''"
              " AND task_uid = (SELECT uid FROM tasks WHERE id = ?1)");
  s.bind(1, id).step();
  return s.integer(0);
}

void SqliteJournalStore::leaveTombstone(const std::string& uid, const char* kind) {
  Statement(db_, "INSERT OR REPLACE INTO tombstones(uid, kind, deleted) VALUES(?1, ?2, ?3)")
      .bind(1, uid)
      .bind(2, kind)
      .bind(3, nowMillis())
      .run();
}

// ---- Journal ----

void SqliteJournalStore::readDays(std::optional<DateTime> first, std::optional<DateTime> last,
                                  const BatchSink& sink) {
  beforeRead();
  const std::string day = Schema::localDayIn(db_.schemaVersion());
  Statement query(
      db_,
      selectEntries(("WHERE " + day + " BETWEEN ?1 AND ?2 ORDER BY " + day + ", start, id").c_str())
          .c_str());
  query.bind(1, first ? Schema::dayNumber(*first) : std::numeric_limits<std::int64_t>::min());
  query.bind(2, last ? Schema::dayNumber(*last) : std::numeric_limits<std::int64_t>::max());
  BatchReader::run(query, sink);
}

void SqliteJournalStore::visit(const char* sql, const std::function<void(Statement&)>& bind,
                               const EntryVisitor& visitor) {
  beforeRead();
  Statement s(db_, selectEntries(sql).c_str());
  if (bind) bind(s);
  JournalEntry e;
  while (s.step()) {
    EntryRows::read(s, e);
    if (!visitor(e)) return;
  }
}

void SqliteJournalStore::visitAll(const EntryVisitor& visitor) {
  visit("ORDER BY id", {}, visitor);
}

void SqliteJournalStore::visitNewestFirst(const EntryVisitor& visitor) {
  visit("ORDER BY start DESC, id DESC", {}, visitor);
}

void SqliteJournalStore::visitBySubject(std::string_view subject, const EntryVisitor& visitor) {
  visit(
      "WHERE subject = ?1 ORDER BY id", [&](Statement& s) { s.bind(1, subject); }, visitor);
}

std::optional<JournalEntry> SqliteJournalStore::oneEntry(
    const char* sql, const std::function<void(Statement&)>& bind) {
  std::optional<JournalEntry> found;
  visit(sql, bind, [&](const JournalEntry& e) {
    found = e;
    return false;
  });
  return found;
}

std::optional<JournalEntry> SqliteJournalStore::entry(std::int64_t id) {
  return oneEntry("WHERE id = ?1", [&](Statement& s) { s.bind(1, id); });
}

std::optional<JournalEntry> SqliteJournalStore::entryByUid(std::string_view uid) {
  return oneEntry("WHERE uid = ?1", [&](Statement& s) { s.bind(1, uid); });
}

std::optional<JournalEntry> SqliteJournalStore::lastMarker() {
  return oneEntry("WHERE type = ?1 ORDER BY id DESC LIMIT 1",
                  [](Statement& s) { s.bind(1, Markers::kType); });
}

void SqliteJournalStore::refuseInvoiced(Transaction& tx, const JournalEntry* before,
                                        const JournalEntry* after, const char* change) {
  InvoiceLock lock(db_);
  if (!lock.any()) return;
  std::optional<InvoicedError> refusal;
  if (before) refusal = lock.refusal(*before, change);
  if (!refusal && after) refusal = lock.refusal(*after, change);
  if (!refusal) return;
  // Nothing was written yet: the transaction ends as it began, and one that encloses it goes on.
  tx.commit();
  throw *refusal;
}

void SqliteJournalStore::insertEntry(JournalEntry& e) {
  e.modified = nowMillis();
  const std::string sql =
      std::string(
          "INSERT INTO journal(uid, subject, start, utc_offset, seconds, categories, type,"
          " companies, body, task_uid, modified) VALUES(coalesce(nullif(?1, ''), ") +
      Schema::kNewUid + "), ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11) RETURNING id, uid";
  Statement s(db_, sql.c_str());
  s.bind(1, e.uid);
  EntryRows::bindFields(s, 2, e, e.modified);
  s.step();
  e.id = s.integer(0);
  e.uid = s.text(1);
  s.run();
  Statement(db_, "DELETE FROM tombstones WHERE uid = ?1").bind(1, e.uid).run();
}

JournalEntry SqliteJournalStore::addEntry(JournalEntry e) {
  Transaction tx(db_);
  refuseInvoiced(tx, nullptr, &e, "added");
  insertEntry(e);
  tx.commit();
  return e;
}

void SqliteJournalStore::updateEntry(const JournalEntry& e) {
  Transaction tx(db_);
  const std::optional<JournalEntry> before = InvoiceLock(db_).any() ? entry(e.id) : std::nullopt;
  refuseInvoiced(tx, before ? &*before : nullptr, &e, "changed");
  Statement s(db_,
              "UPDATE journal SET subject = ?2, start = ?3, utc_offset = ?4, seconds = ?5,"
              " categories = ?6, type = ?7, companies = ?8, body = ?9, task_uid = ?10,"
              " modified = ?11 WHERE id = ?1");
  s.bind(1, e.id);
  EntryRows::bindFields(s, 2, e, nowMillis());
  s.run();
  if (db_.changes() == 0)
    db_.failWith("the journal entry \"" + e.subject + "\" is no longer in the store");
  tx.commit();
}

void SqliteJournalStore::deleteEntry(std::int64_t id) {
  Transaction tx(db_);
  const std::optional<JournalEntry> found = entry(id);
  if (!found) db_.failWith("the journal entry is no longer in the store");
  if (timer().entryId == id)
    db_.failWith("the journal entry \"" + found->subject + "\" is being timed");
  refuseInvoiced(tx, &*found, nullptr, "deleted");
  Statement(db_, "DELETE FROM journal WHERE id = ?1").bind(1, id).run();
  leaveTombstone(found->uid, "entry");
  tx.commit();
}

bool SqliteJournalStore::importEntry(JournalEntry e) {
  Transaction tx(db_);
  std::optional<JournalEntry> existing;
  if (!e.uid.empty()) existing = entryByUid(e.uid);
  refuseInvoiced(tx, existing ? &*existing : nullptr, &e, existing ? "changed" : "added");
  if (existing) {
    e.id = existing->id;
    updateEntry(e);
  } else {
    insertEntry(e);
  }
  tx.commit();
  return !existing;
}

// ---- The running timer ----

RunningTimer SqliteJournalStore::timer() {
  beforeRead();
  Statement s(db_,
              "SELECT entry, started, base_seconds, owner_pid, owner_start, generation, saved_at"
              " FROM timer");
  RunningTimer t;
  if (!s.step()) return t;
  t.entryId = s.integer(0);
  t.started = Instant::fromUnix(s.integer(1));
  t.baseSeconds = s.integer(2);
  t.ownerPid = s.integer(3);
  t.ownerStart = s.integer(4);
  t.generation = s.integer(5);
  t.savedAt = Instant::fromUnix(s.integer(6));
  return t;
}

std::int64_t SqliteJournalStore::setTimer(RunningTimer t) {
  Transaction tx(db_);
  Statement s(db_,
              "UPDATE timer SET entry = ?1, started = ?2, base_seconds = ?3, owner_pid = ?4,"
              " owner_start = ?5, saved_at = ?6, generation = generation + 1"
              " RETURNING generation");
  s.bind(1, t.entryId).bind(2, t.started.unixSeconds()).bind(3, t.baseSeconds);
  s.bind(4, t.ownerPid).bind(5, t.ownerStart).bind(6, t.savedAt.unixSeconds());
  s.step();
  const std::int64_t generation = s.integer(0);
  s.run();
  tx.commit();
  return generation;
}

std::optional<std::int64_t> SqliteJournalStore::saveTimedEntry(std::int64_t generation,
                                                               std::int64_t seconds, Instant now,
                                                               int waitMillis) {
  db_.waitAtMost(waitMillis);
  const Waiting waiting(db_);
  Transaction tx(db_);
  const RunningTimer t = timer();
  if (t.generation != generation || !t.running()) {
    tx.commit();
    return std::nullopt;
  }
  Statement(db_, "UPDATE journal SET seconds = ?1, modified = ?2 WHERE id = ?3")
      .bind(1, seconds)
      .bind(2, nowMillis())
      .bind(3, t.entryId)
      .run();
  if (db_.changes() == 0) db_.failWith("the journal entry being timed is no longer in the store");
  Statement s(db_,
              "UPDATE timer SET generation = generation + 1, saved_at = ?1 RETURNING generation");
  s.bind(1, now.unixSeconds());
  s.step();
  const std::int64_t next = s.integer(0);
  s.run();
  tx.commit();
  return next;
}

// ---- Maintenance ----

void SqliteJournalStore::backup(const std::string& file) {
  beforeRead();
  StoreCopy::write(db_, file);
}

std::string SqliteJournalStore::check() {
  beforeRead();
  std::string result = StoreCopy::integrity(db_);
  db_.noteCheck(result);
  return result;
}

}  // namespace tw

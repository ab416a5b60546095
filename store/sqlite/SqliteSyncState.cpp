#include "store/sqlite/SqliteSyncState.h"

#include "store/StoreError.h"
#include "store/sqlite/Database.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/Statement.h"
#include "store/sqlite/Transaction.h"

namespace tw {
namespace {

const char* kindName(SyncState::Kind kind) {
  return kind == SyncState::Kind::Task ? "task" : "entry";
}

SyncState::Kind kindNamed(std::string_view name) {
  return name == "task" ? SyncState::Kind::Task : SyncState::Kind::Entry;
}

}  // namespace

SqliteSyncState::SqliteSyncState(SqliteJournalStore& store) : db_(store.database()) {}

SqliteSyncState SqliteSyncState::of(JournalStore& store) {
  auto* sqlite = dynamic_cast<SqliteJournalStore*>(&store);
  if (!sqlite) throw StoreError("this store keeps no calendar synchronisation state");
  return SqliteSyncState(*sqlite);
}

std::vector<SyncState::Item> SqliteSyncState::selectItems(Kind kind, const char* where,
                                                          std::string_view key, bool withIcal) {
  if (!db_.inTransaction()) db_.checkFile(false);
  const std::string sql = std::string("SELECT uid, href, etag, digest, ") +
                          (withIcal ? "ical" : "''") + " FROM sync_items WHERE kind = ?1" + where;
  Statement s(db_, sql.c_str());
  s.bind(1, kindName(kind));
  if (!key.empty()) s.bind(2, key);
  std::vector<Item> items;
  while (s.step()) {
    Item i;
    i.kind = kind;
    i.uid = s.text(0);
    i.href = s.text(1);
    i.etag = s.text(2);
    i.digest = static_cast<std::uint64_t>(s.integer(3));
    i.ical = s.text(4);
    items.push_back(std::move(i));
  }
  return items;
}

std::vector<SyncState::Item> SqliteSyncState::items(Kind kind) {
  return selectItems(kind, "", {}, false);
}

std::optional<SyncState::Item> SqliteSyncState::item(Kind kind, std::string_view uid) {
  auto found = selectItems(kind, " AND uid = ?2", uid, true);
  return found.empty() ? std::nullopt : std::optional<Item>(std::move(found.front()));
}

std::optional<SyncState::Item> SqliteSyncState::itemAt(Kind kind, std::string_view href) {
  if (href.empty()) return std::nullopt;
  auto found = selectItems(kind, " AND href = ?2", href, true);
  return found.empty() ? std::nullopt : std::optional<Item>(std::move(found.front()));
}

void SqliteSyncState::putItem(const Item& item) {
  Transaction tx(db_);
  Statement(db_,
            "INSERT OR REPLACE INTO sync_items(kind, uid, href, etag, ical, digest)"
            " VALUES(?1, ?2, ?3, ?4, ?5, ?6)")
      .bind(1, kindName(item.kind))
      .bind(2, item.uid)
      .bind(3, item.href)
      .bind(4, item.etag)
      .bind(5, item.ical)
      .bind(6, static_cast<std::int64_t>(item.digest))
      .run();
  tx.commit();
}

void SqliteSyncState::removeItem(Kind kind, std::string_view uid) {
  change("DELETE FROM sync_items WHERE kind = ?1 AND uid = ?2", kind, uid);
}

void SqliteSyncState::change(const char* sql, Kind kind, std::string_view key) {
  Transaction tx(db_);
  Statement(db_, sql).bind(1, kindName(kind)).bind(2, key).run();
  tx.commit();
}

std::vector<SyncState::Collection> SqliteSyncState::selectCollections(Kind kind, const char* where,
                                                                      std::string_view url) {
  if (!db_.inTransaction()) db_.checkFile(false);
  const std::string sql =
      std::string("SELECT url, home, sync_token, ctag, report_refused FROM sync_collections") +
      " WHERE kind = ?1" + where + " ORDER BY url";
  Statement s(db_, sql.c_str());
  s.bind(1, kindName(kind));
  if (!url.empty()) s.bind(2, url);
  std::vector<Collection> found;
  while (s.step())
    found.push_back({std::string(s.text(0)), std::string(s.text(1)), std::string(s.text(2)),
                     std::string(s.text(3)), s.integer(4)});
  return found;
}

SyncState::Collection SqliteSyncState::collection(Kind kind) {
  std::vector<Collection> found = selectCollections(kind, " AND is_default", {});
  return found.empty() ? Collection{} : std::move(found.front());
}

SyncState::Collection SqliteSyncState::collectionAt(Kind kind, std::string_view url) {
  std::vector<Collection> found = selectCollections(kind, " AND url = ?2", url);
  return found.empty() || url.empty() ? Collection{} : std::move(found.front());
}

std::vector<SyncState::Collection> SqliteSyncState::collections(Kind kind) {
  return selectCollections(kind, "", {});
}

void SqliteSyncState::putCollection(Kind kind, const Collection& c) {
  Transaction tx(db_);
  Statement(db_,
            "INSERT INTO sync_collections(kind, url, home, sync_token, ctag, report_refused,"
            " is_default) VALUES(?1, ?2, ?3, ?4, ?5, ?6, NOT EXISTS (SELECT 1 FROM"
            " sync_collections WHERE kind = ?1 AND is_default)) ON CONFLICT DO UPDATE SET"
            " home = excluded.home, sync_token = excluded.sync_token, ctag = excluded.ctag,"
            " report_refused = excluded.report_refused")
      .bind(1, kindName(kind))
      .bind(2, c.url)
      .bind(3, c.home)
      .bind(4, c.syncToken)
      .bind(5, c.ctag)
      .bind(6, c.reportRefused)
      .run();
  tx.commit();
}

void SqliteSyncState::makeDefault(Kind kind, std::string_view url) {
  change("UPDATE sync_collections SET is_default = (url = ?2) WHERE kind = ?1", kind, url);
}

void SqliteSyncState::removeCollection(Kind kind, std::string_view url) {
  change("DELETE FROM sync_collections WHERE kind = ?1 AND url = ?2", kind, url);
}

void SqliteSyncState::forget(Kind kind) {
  Transaction tx(db_);
  Statement(db_, "DELETE FROM sync_items WHERE kind = ?1").bind(1, kindName(kind)).run();
  Statement(db_, "DELETE FROM sync_collections WHERE kind = ?1").bind(1, kindName(kind)).run();
  Statement(db_, "DELETE FROM sync_holds WHERE kind = ?1").bind(1, kindName(kind)).run();
  tx.commit();
}

std::vector<SyncState::Hold> SqliteSyncState::holds(Kind kind) {
  if (!db_.inTransaction()) db_.checkFile(false);
  Statement s(db_,
              "SELECT uid, here_only, digest, status, reason, since FROM sync_holds"
              " WHERE kind = ?1 ORDER BY since, uid");
  s.bind(1, kindName(kind));
  std::vector<Hold> holds;
  while (s.step()) {
    Hold h;
    h.kind = kind;
    h.uid = s.text(0);
    h.hereOnly = s.integer(1) != 0;
    h.digest = static_cast<std::uint64_t>(s.integer(2));
    h.status = static_cast<int>(s.integer(3));
    h.reason = s.text(4);
    h.since = s.integer(5);
    holds.push_back(std::move(h));
  }
  return holds;
}

void SqliteSyncState::putHold(const Hold& h) {
  Transaction tx(db_);
  Statement(db_,
            "INSERT OR REPLACE INTO sync_holds(kind, uid, here_only, digest, status, reason, since)"
            " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)")
      .bind(1, kindName(h.kind))
      .bind(2, h.uid)
      .bind(3, std::int64_t{h.hereOnly ? 1 : 0})
      .bind(4, static_cast<std::int64_t>(h.digest))
      .bind(5, std::int64_t{h.status})
      .bind(6, h.reason)
      .bind(7, h.since)
      .run();
  tx.commit();
}

void SqliteSyncState::removeHold(Kind kind, std::string_view uid) {
  change("DELETE FROM sync_holds WHERE kind = ?1 AND uid = ?2", kind, uid);
}

std::int64_t SqliteSyncState::addConflict(const ConflictCopy& copy) {
  Transaction tx(db_);
  Statement(db_,
            "INSERT INTO sync_conflicts(kind, uid, fields, local_ical, saved)"
            " VALUES(?1, ?2, ?3, ?4, ?5)")
      .bind(1, kindName(copy.kind))
      .bind(2, copy.uid)
      .bind(3, copy.fields)
      .bind(4, copy.localIcal)
      .bind(5, copy.saved)
      .run();
  const std::int64_t id = db_.lastInsertId();
  tx.commit();
  return id;
}

std::vector<SyncState::ConflictCopy> SqliteSyncState::conflicts() {
  if (!db_.inTransaction()) db_.checkFile(false);
  Statement s(db_,
              "SELECT id, kind, uid, fields, local_ical, saved FROM sync_conflicts ORDER BY id");
  std::vector<ConflictCopy> copies;
  while (s.step()) {
    ConflictCopy c;
    c.id = s.integer(0);
    c.kind = kindNamed(s.text(1));
    c.uid = s.text(2);
    c.fields = s.text(3);
    c.localIcal = s.text(4);
    c.saved = s.integer(5);
    copies.push_back(std::move(c));
  }
  return copies;
}

void SqliteSyncState::removeConflict(std::int64_t id) {
  Transaction tx(db_);
  Statement(db_, "DELETE FROM sync_conflicts WHERE id = ?1").bind(1, id).run();
  tx.commit();
}

}  // namespace tw

#pragma once

#include "store/SyncState.h"

namespace tw {

class Database;
class JournalStore;
class SqliteJournalStore;

// The synchronisation state in the journal store's own file, on its connection: its calls join
// the store's transactions.
class SqliteSyncState : public SyncState {
 public:
  explicit SqliteSyncState(SqliteJournalStore& store);
  // The state of a store the SQLite backend opened; throws StoreError for any other store.
  static SqliteSyncState of(JournalStore& store);

  std::vector<Item> items(Kind kind) override;
  std::optional<Item> item(Kind kind, std::string_view uid) override;
  std::optional<Item> itemAt(Kind kind, std::string_view href) override;
  void putItem(const Item& item) override;
  void removeItem(Kind kind, std::string_view uid) override;

  Collection collection(Kind kind) override;
  Collection collectionAt(Kind kind, std::string_view url) override;
  std::vector<Collection> collections(Kind kind) override;
  void putCollection(Kind kind, const Collection& collection) override;
  void makeDefault(Kind kind, std::string_view url) override;
  void removeCollection(Kind kind, std::string_view url) override;
  void forget(Kind kind) override;

  std::vector<Hold> holds(Kind kind) override;
  void putHold(const Hold& hold) override;
  void removeHold(Kind kind, std::string_view uid) override;

  std::int64_t addConflict(const ConflictCopy& copy) override;
  std::vector<ConflictCopy> conflicts() override;
  void removeConflict(std::int64_t id) override;

 private:
  std::vector<Item> selectItems(Kind kind, const char* where, std::string_view key, bool withIcal);
  std::vector<Collection> selectCollections(Kind kind, const char* where, std::string_view url);
  // One statement of ?1 = the kind and ?2 = key, in a transaction of its own (or the caller's).
  void change(const char* sql, Kind kind, std::string_view key);

  Database& db_;
};

}  // namespace tw

#pragma once

#include <memory>
#include <string>

#include "core/Clock.h"
#include "store/JournalStore.h"
#include "store/sqlite/Database.h"

namespace tw {

class Statement;
class Transaction;

// The journal store in one SQLite file (with its -wal and -shm files beside it while in use):
// write-ahead logging, every transaction synced to disk before it counts as done. Several
// processes and connections may use one file at once.
class SqliteJournalStore : public JournalStore {
 public:
  struct Options {
    Database::Mode mode = Database::Mode::Create;
    // How long a call waits for a store another program is writing before it fails.
    int busyTimeoutMs = 3000;
    // Gives the modified times; the system clock when null.
    const Clock* clock = nullptr;
  };

  explicit SqliteJournalStore(const std::string& path);
  SqliteJournalStore(const std::string& path, Options options);
  ~SqliteJournalStore() override;

  const std::string& path() const { return db_.path(); }
  // The connection, for the parts of the store kept beside the journal (SqliteSyncState).
  Database& database() { return db_; }

  void transact(const std::function<void()>& work) override;
  std::int64_t changeCount() override;

  std::vector<Task> tasks() override;
  std::optional<Task> task(std::int64_t id) override;
  std::optional<Task> taskByUid(std::string_view uid) override;
  Task addTask(Task task) override;
  void updateTask(const Task& task) override;
  void deleteTask(std::int64_t id) override;
  std::int64_t entriesOfTask(std::int64_t id) override;

  void readDays(std::optional<DateTime> first, std::optional<DateTime> last,
                const BatchSink& sink) override;
  void visitAll(const EntryVisitor& visit) override;
  void visitNewestFirst(const EntryVisitor& visit) override;
  void visitBySubject(std::string_view subject, const EntryVisitor& visit) override;
  std::optional<JournalEntry> entry(std::int64_t id) override;
  std::optional<JournalEntry> entryByUid(std::string_view uid) override;
  std::optional<JournalEntry> lastMarker() override;
  JournalEntry addEntry(JournalEntry entry) override;
  void updateEntry(const JournalEntry& entry) override;
  void deleteEntry(std::int64_t id) override;
  bool importEntry(JournalEntry entry) override;

  RunningTimer timer() override;
  std::int64_t setTimer(RunningTimer timer) override;
  std::optional<std::int64_t> saveTimedEntry(std::int64_t generation, std::int64_t seconds,
                                             Instant now, int waitMillis) override;

  void backup(const std::string& file) override;
  std::string check() override;

 private:
  std::int64_t nowMillis() const;
  // Looks at the file before a read that is not part of a transaction.
  void beforeRead();
  std::optional<JournalEntry> oneEntry(const char* sql,
                                       const std::function<void(Statement&)>& bind);
  void visit(const char* sql, const std::function<void(Statement&)>& bind,
             const EntryVisitor& visitor);
  void insertEntry(JournalEntry& entry);
  // Throws InvoicedError, ending tx first, when the entry as it is or as it would be lies in
  // an invoiced period of a client it names.
  void refuseInvoiced(Transaction& tx, const JournalEntry* before, const JournalEntry* after,
                      const char* change);
  void leaveTombstone(const std::string& uid, const char* kind);

  Database db_;
  const Clock& clock_;
};

}  // namespace tw

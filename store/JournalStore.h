#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/DateTime.h"
#include "core/Instant.h"
#include "core/JournalEntry.h"
#include "store/RunningTimer.h"
#include "store/Task.h"

namespace tw {

// What the rest of the program may ask of the place where tasks and the journal are kept.
// Every failure throws StoreError with a description for people. A store object serves one
// thread at a time; another thread opens a store of its own (StoreOpener).
class JournalStore {
 public:
  using EntryBatch = std::span<const JournalEntry>;
  using BatchSink = std::function<void(EntryBatch)>;
  // Returns false to stop the walk.
  using EntryVisitor = std::function<bool(const JournalEntry&)>;

  virtual ~JournalStore() = default;

  // Runs work as one transaction: the changes made inside are stored together or not at all,
  // and no other process changes the store in between. Calls made outside run as transactions
  // of their own; a transaction inside another joins it.
  virtual void transact(const std::function<void()>& work) = 0;
  // Changes whenever another process (or another connection) has changed the store.
  virtual std::int64_t changeCount() = 0;

  // Tasks, in the order they were added.
  virtual std::vector<Task> tasks() = 0;
  virtual std::optional<Task> task(std::int64_t id) = 0;
  virtual std::optional<Task> taskByUid(std::string_view uid) = 0;
  // Stores a new task; returns it with its id, uid and modified time.
  virtual Task addTask(Task task) = 0;
  // Fails when the task is no longer in the store.
  virtual void updateTask(const Task& task) = 0;
  // Fails while journal entries refer to the task.
  virtual void deleteTask(std::int64_t id) = 0;
  // How many journal entries were timed for the task.
  virtual std::int64_t entriesOfTask(std::int64_t id) = 0;

  // The entries of the local days first through last (midnight of each; no bound where none
  // is given): those whose start on their own wall clock (JournalEntry::localStart) lies on
  // one of them, wherever they were recorded. Day by day, each day in start order (equal
  // starts in the order they were stored), handed over in batches while the next batch is
  // read. Every report, list, window and export asks this for the entries of days.
  virtual void readDays(std::optional<DateTime> first, std::optional<DateTime> last,
                        const BatchSink& sink) = 0;
  // As readDays, with only the fields reports show: subject, start, utcOffset, seconds,
  // categories and type (the others are left empty).
  virtual void readReportDays(std::optional<DateTime> first, std::optional<DateTime> last,
                              const BatchSink& sink) = 0;
  // Every entry in the order they were stored.
  virtual void visitAll(const EntryVisitor& visit) = 0;
  // From the latest start backwards (equal starts: the one stored last first).
  virtual void visitNewestFirst(const EntryVisitor& visit) = 0;
  // The entries of exactly this subject, in the order they were stored.
  virtual void visitBySubject(std::string_view subject, const EntryVisitor& visit) = 0;
  virtual std::optional<JournalEntry> entry(std::int64_t id) = 0;
  virtual std::optional<JournalEntry> entryByUid(std::string_view uid) = 0;
  // The work marker (Markers::kType) written last, whatever its start: the order of writing
  // decides whether a period of work is open.
  virtual std::optional<JournalEntry> lastMarker() = 0;
  // Stores a new entry; returns it with its id, uid and modified time.
  virtual JournalEntry addEntry(JournalEntry entry) = 0;
  // Fails when the entry is no longer in the store.
  virtual void updateEntry(const JournalEntry& entry) = 0;
  virtual void deleteEntry(std::int64_t id) = 0;
  // Adds the entry or, when an entry of its uid is stored, updates that one instead. True when
  // it was added.
  virtual bool importEntry(JournalEntry entry) = 0;

  // The running timer (nothing timed when the store has never timed anything).
  virtual RunningTimer timer() = 0;
  // Replaces the timer; returns the new generation.
  virtual std::int64_t setTimer(RunningTimer timer) = 0;
  // Writes the timed entry's seconds and moves the generation on, only while the generation
  // is still the one given; returns the new generation, or nothing (and nothing written) when
  // it is not. Waits at most waitMillis for another program's write to end (the store's usual
  // wait when negative).
  virtual std::optional<std::int64_t> saveTimedEntry(std::int64_t generation, std::int64_t seconds,
                                                     Instant now, int waitMillis) = 0;

  // A consistent single-file copy of the store, checked, written whole or not at all.
  virtual void backup(const std::string& file) = 0;
  // "ok", or what is damaged. A store found damaged (here, or by any call failing on damage)
  // is refused for writing from then on, by every program, until a check finds it sound.
  virtual std::string check() = 0;
};

}  // namespace tw

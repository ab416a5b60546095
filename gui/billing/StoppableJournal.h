#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Error.h"
#include "store/JournalStore.h"

namespace tw {

// A journal store that passes every call on to another, and whose reading of days ends with
// Stopped at the next batch once the flag it watches is set (from any thread): a long bill
// made on a worker thread is cancelled this way, without waiting for the rest of the period.
class StoppableJournal : public JournalStore {
 public:
  class Stopped : public Error {
   public:
    Stopped() : Error("Stopped") {}
  };

  StoppableJournal(JournalStore& inner, const std::atomic<bool>& stopped)
      : inner_(inner), stopped_(stopped) {}

  void readDays(std::optional<DateTime> first, std::optional<DateTime> last,
                const BatchSink& sink) override;
  void readReportDays(std::optional<DateTime> first, std::optional<DateTime> last,
                      const BatchSink& sink) override;

  void transact(const std::function<void()>& work) override { inner_.transact(work); }
  std::int64_t changeCount() override { return inner_.changeCount(); }
  std::vector<Task> tasks() override { return inner_.tasks(); }
  std::optional<Task> task(std::int64_t id) override { return inner_.task(id); }
  std::optional<Task> taskByUid(std::string_view uid) override { return inner_.taskByUid(uid); }
  Task addTask(Task task) override { return inner_.addTask(std::move(task)); }
  void updateTask(const Task& task) override { inner_.updateTask(task); }
  void deleteTask(std::int64_t id) override { inner_.deleteTask(id); }
  std::int64_t entriesOfTask(std::int64_t id) override { return inner_.entriesOfTask(id); }
  void visitAll(const EntryVisitor& visit) override { inner_.visitAll(visit); }
  void visitNewestFirst(const EntryVisitor& visit) override { inner_.visitNewestFirst(visit); }
  void visitBySubject(std::string_view subject, const EntryVisitor& visit) override {
    inner_.visitBySubject(subject, visit);
  }
  std::optional<JournalEntry> entry(std::int64_t id) override { return inner_.entry(id); }
  std::optional<JournalEntry> entryByUid(std::string_view uid) override {
    return inner_.entryByUid(uid);
  }
  std::optional<JournalEntry> lastMarker() override { return inner_.lastMarker(); }
  JournalEntry addEntry(JournalEntry entry) override { return inner_.addEntry(std::move(entry)); }
  void updateEntry(const JournalEntry& entry) override { inner_.updateEntry(entry); }
  void deleteEntry(std::int64_t id) override { inner_.deleteEntry(id); }
  bool importEntry(JournalEntry entry) override { return inner_.importEntry(std::move(entry)); }
  RunningTimer timer() override { return inner_.timer(); }
  std::int64_t setTimer(RunningTimer timer) override { return inner_.setTimer(timer); }
  std::optional<std::int64_t> saveTimedEntry(std::int64_t generation, std::int64_t seconds,
                                             Instant now, int waitMillis) override {
    return inner_.saveTimedEntry(generation, seconds, now, waitMillis);
  }
  void backup(const std::string& file) override { inner_.backup(file); }
  std::string check() override { return inner_.check(); }

 private:
  // sink, stopped at its next batch.
  BatchSink watched(const BatchSink& sink);

  JournalStore& inner_;
  const std::atomic<bool>& stopped_;
};

}  // namespace tw

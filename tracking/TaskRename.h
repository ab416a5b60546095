#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/JournalStore.h"

namespace tw {

// A task given a new subject, and with it, when asked, the journal entries that carry its old
// one: those timed for it and those tied to no task (made by hand or imported), markers never.
// Entries of another task, or under another name (an earlier rename, an edit by hand), keep
// theirs. Each rename, undo and redo is one transaction, so that a report never shows the
// history split under two names.
class TaskRename {
 public:
  // Renames the task; with entries, its entries too. Throws StoreError when the task is no
  // longer in the store.
  static TaskRename apply(JournalStore& store, std::int64_t taskId, const std::string& subject,
                          bool entries);

  // Gives the task and the entries renamed their old subject again; entries changed since
  // keep what they were changed to.
  void undo(JournalStore& store) const { move(store, to_, from_); }
  void redo(JournalStore& store) const { move(store, from_, to_); }
  // How many journal entries were renamed.
  std::size_t entries() const { return entryUids_.size(); }

 private:
  TaskRename(std::int64_t taskId, std::string from, std::string to)
      : taskId_(taskId), from_(std::move(from)), to_(std::move(to)) {}
  void move(JournalStore& store, const std::string& from, const std::string& to) const;

  std::int64_t taskId_;
  std::string from_;
  std::string to_;
  std::vector<std::string> entryUids_;
};

}  // namespace tw

#pragma once

#include <optional>
#include <string_view>

#include "core/JournalEntry.h"
#include "store/JournalStore.h"
#include "tracking/TaskList.h"

namespace tw {

// The journal entry a text dropped on the window describes: a listed task's subject and the
// entry's start as the entry's text shows it ("3/5/2024 10:31 AM"). Only the days the text
// names are read, through the store's start index, however long the journal.
class DroppedEntry {
 public:
  // The first entry stored that matches; nothing when none does.
  static std::optional<JournalEntry> find(JournalStore& store, const TaskList& tasks,
                                          std::string_view text);
};

}  // namespace tw

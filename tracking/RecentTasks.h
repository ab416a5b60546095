#pragma once

#include <cstddef>
#include <vector>

#include "store/JournalStore.h"
#include "store/Task.h"
#include "tracking/TaskList.h"

namespace tw {

// The open tasks timed most recently, for quick starts from the tray.
class RecentTasks {
 public:
  // Up to count listed tasks, the one of the newest journal entry first, each once. Reads
  // backwards through the newest part of the journal only.
  static std::vector<Task> find(JournalStore& store, const TaskList& tasks, std::size_t count);
};

}  // namespace tw

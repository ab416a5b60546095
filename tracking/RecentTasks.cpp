#include "tracking/RecentTasks.h"

#include <algorithm>

namespace tw {
namespace {

// A journal where few tasks were ever timed is not read to its beginning.
constexpr std::size_t kMostEntriesRead = 5000;

}  // namespace

std::vector<Task> RecentTasks::find(JournalStore& store, const TaskList& tasks, std::size_t count) {
  std::vector<Task> found;
  std::size_t read = 0;
  if (count == 0) return found;
  store.visitNewestFirst([&](const JournalEntry& e) {
    const Task* task = tasks.find(e.subject);
    const auto same = [&](const Task& t) { return task && t.id == task->id; };
    if (task && std::none_of(found.begin(), found.end(), same)) found.push_back(*task);
    return found.size() < count && ++read < kMostEntriesRead;
  });
  return found;
}

}  // namespace tw

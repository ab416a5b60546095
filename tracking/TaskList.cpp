#include "tracking/TaskList.h"

#include <algorithm>

#include "core/CaseFold.h"

namespace tw {

TaskList::TaskList(const std::vector<Task>& tasks, const std::vector<std::string>& shownLists) {
  const auto shown = [&](const std::string& list) {
    return list.empty() || shownLists.empty() ||
           std::find(shownLists.begin(), shownLists.end(), list) != shownLists.end();
  };
  for (const Task& task : tasks) {
    if (!task.isOpen() || !shown(task.list)) continue;
    bySubject_.emplace(CaseFold::key(task.subject), tasks_.size());
    tasks_.push_back(task);
  }
}

const Task* TaskList::find(std::string_view subject) const {
  const auto it = bySubject_.find(CaseFold::key(subject));
  return it == bySubject_.end() ? nullptr : &tasks_[it->second];
}

}  // namespace tw

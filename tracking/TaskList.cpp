#include "tracking/TaskList.h"

#include "core/CaseFold.h"

namespace tw {

TaskList::TaskList(const std::vector<Task>& tasks) {
  for (const Task& task : tasks) {
    if (!task.isOpen()) continue;
    bySubject_.emplace(CaseFold::key(task.subject), tasks_.size());
    tasks_.push_back(task);
  }
}

const Task* TaskList::find(std::string_view subject) const {
  const auto it = bySubject_.find(CaseFold::key(subject));
  return it == bySubject_.end() ? nullptr : &tasks_[it->second];
}

}  // namespace tw

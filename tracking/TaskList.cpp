#include "tracking/TaskList.h"

#include <stdexcept>

namespace tw {

QString TaskList::key(const std::string& name) {
  return QString::fromStdString(name).toCaseFolded();
}

void TaskList::addTask(const std::string& name, const std::shared_ptr<TaskItem>& item) {
  QString k = key(name);
  if (tasks_.contains(k)) {
    throw std::invalid_argument("A task named \"" + name + "\" is already in the task list");
  }
  tasks_.insert(k, item);
}

std::shared_ptr<TaskItem> TaskList::getTask(const std::string& name) const {
  return tasks_.value(key(name));
}

}  // namespace tw

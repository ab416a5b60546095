#include "store/Attachments.h"

#include <string>

#include "store/StoreError.h"
#include "store/TaskItem.h"

namespace tw {

void Attachments::Add(const std::shared_ptr<TaskItem>& task, int type) {
  if (type != olEmbeddedTask)
    throw StoreError("Only a task item (attachment type 3) can be attached, not type " +
                     std::to_string(type) + ".");
  if (!task) throw StoreError("There is no task to attach.");
  if (task->id() == 0)
    throw StoreError("The task \"" + task->Subject() +
                     "\" cannot be attached before it has been saved.");
  tasks_.push_back(task);
}

long Attachments::Count() const {
  return static_cast<long>(tasks_.size());
}

std::shared_ptr<TaskItem> Attachments::Item(long index) const {
  if (index < 1 || index > Count())
    throw StoreError("There is no attachment " + std::to_string(index) + " (the item has " +
                     std::to_string(Count()) + ").");
  return tasks_[static_cast<std::size_t>(index - 1)];
}

}  // namespace tw

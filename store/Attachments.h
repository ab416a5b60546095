#pragma once

#include <memory>
#include <vector>

namespace tw {

class TaskItem;

inline constexpr int olEmbeddedTask = 3;

// The attachments of one journal item: the task items attached to it.
class Attachments {
 public:
  // Attaches the task (type 3). A task that was never saved throws StoreError.
  void Add(const std::shared_ptr<TaskItem>& task, int type);
  long Count() const;
  // 1-based.
  std::shared_ptr<TaskItem> Item(long index) const;

 private:
  std::vector<std::shared_ptr<TaskItem>> tasks_;
};

}  // namespace tw

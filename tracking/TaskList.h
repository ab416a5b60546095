#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/Task.h"

namespace tw {

// The open tasks offered for timing, in the order stored, found by subject without regard to
// letter case (CaseFold). Of two tasks whose subjects differ only in case, the first is found.
class TaskList {
 public:
  TaskList() = default;
  // The open tasks among these.
  explicit TaskList(const std::vector<Task>& tasks);

  const std::vector<Task>& tasks() const { return tasks_; }
  // The task of that subject, or nullptr.
  const Task* find(std::string_view subject) const;

 private:
  std::vector<Task> tasks_;
  std::unordered_map<std::string, std::size_t> bySubject_;
};

}  // namespace tw

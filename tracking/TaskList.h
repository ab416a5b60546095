#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/Task.h"

namespace tw {

// The open tasks offered for timing, in the order stored, found by subject without regard to
// letter case (CaseFold). Of two tasks whose subjects differ only in case, the first is found.
// Of the tasks on the calendar server's task lists, only those on the lists shown are offered;
// tasks on no list always are.
class TaskList {
 public:
  TaskList() = default;
  // The open tasks among these, on one of the lists shown (every list when none is named).
  explicit TaskList(const std::vector<Task>& tasks,
                    const std::vector<std::string>& shownLists = {});

  const std::vector<Task>& tasks() const { return tasks_; }
  // The task of that subject, or nullptr.
  const Task* find(std::string_view subject) const;

 private:
  std::vector<Task> tasks_;
  std::unordered_map<std::string, std::size_t> bySubject_;
};

}  // namespace tw

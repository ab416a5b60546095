#pragma once

#include <cstdint>
#include <string>

#include "store/TaskItem.h"

namespace tw {

// The stored properties of a task item, as one row of the task list.
struct TaskItem::Fields {
  std::int64_t id = 0;
  std::string subject;
  std::string categories;
  int status = olTaskNotStarted;
};

}  // namespace tw

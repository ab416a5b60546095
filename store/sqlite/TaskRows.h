#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "store/Task.h"

namespace tw {

class Database;
class Statement;

// How a task is laid out in a row of the tasks table.
class TaskRows {
 public:
  // The tasks of "SELECT ... FROM tasks <tail>", with the tail's parameters bound by bind.
  static std::vector<Task> select(Database& db, const char* tail,
                                  const std::function<void(Statement&)>& bind);
  // Stores a new task; sets its id and, when it has none, its uid.
  static void insert(Database& db, Task& task);
  // Fails when the task is no longer in the store.
  static void update(Database& db, const Task& task, std::int64_t modified);
};

}  // namespace tw

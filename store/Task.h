#pragma once

#include <cstdint>
#include <string>

namespace tw {

enum class TaskStatus { NotStarted = 0, InProgress = 1, Complete = 2, Waiting = 3, Deferred = 4 };

// A task the user works on. Open tasks (not started or in progress) are offered for timing.
class Task {
 public:
  // The store's row, 0 before the task is stored.
  std::int64_t id = 0;
  // Stable across stores (a UUID); given by the store when empty.
  std::string uid;
  std::string subject;
  std::string categories;
  TaskStatus status = TaskStatus::NotStarted;
  // When the task was last changed, milliseconds since 1970 (UTC).
  std::int64_t modified = 0;
  // The address of the calendar server's task list the task belongs to; empty while it is on
  // none (made here and not yet synchronised, or without a calendar account). Last, and with an
  // initialiser, so that tasks written field by field without it get none.
  std::string list{};

  bool isOpen() const {
    return status == TaskStatus::NotStarted || status == TaskStatus::InProgress;
  }
};

}  // namespace tw

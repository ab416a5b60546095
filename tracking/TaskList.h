#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <string>

namespace tw {

class TaskItem;

// The open tasks behind the task list, keyed by subject. Keys compare without regard to
// letter case (Unicode case folding, so "Über" and "über" are one key).
class TaskList {
 public:
  // Throws std::invalid_argument when a task of that name (in any letter case) is present;
  // nothing is added then.
  void addTask(const std::string& name, const std::shared_ptr<TaskItem>& item);
  // The task kept under that name, or nullptr.
  std::shared_ptr<TaskItem> getTask(const std::string& name) const;
  int count() const { return static_cast<int>(tasks_.size()); }

 private:
  static QString key(const std::string& name);

  QHash<QString, std::shared_ptr<TaskItem>> tasks_;
};

}  // namespace tw

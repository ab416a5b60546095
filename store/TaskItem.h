#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/StoreItem.h"

namespace tw {

class Connection;

inline constexpr int olTaskNotStarted = 0;
inline constexpr int olTaskInProgress = 1;
inline constexpr int olTaskComplete = 2;
inline constexpr int olTaskWaiting = 3;
inline constexpr int olTaskDeferred = 4;

class TaskItem : public StoreItem {
 public:
  std::string Subject() const override;
  void setSubject(const std::string& v);
  std::string Categories() const override;
  void setCategories(const std::string& v);
  int Status() const;
  void setStatus(int v);
  void Save() override;
  std::int64_t id() const override;

  struct Fields;
  TaskItem(std::shared_ptr<Connection> connection, Fields fields);
  ~TaskItem() override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The task item behind a folder element; throws StoreError when it is another kind of item.
std::shared_ptr<TaskItem> asTaskItem(const std::shared_ptr<StoreItem>& item);

}  // namespace tw

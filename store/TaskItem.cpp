#include "store/TaskItem.h"

#include "store/Connection.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/TaskItemFields.h"
#include "store/Transaction.h"

namespace tw {

struct TaskItem::State {
  std::shared_ptr<Connection> connection;
  Fields fields;
};

TaskItem::TaskItem(std::shared_ptr<Connection> connection, Fields fields)
    : state_(std::make_unique<State>(State{std::move(connection), std::move(fields)})) {}

TaskItem::~TaskItem() = default;

std::string TaskItem::Subject() const {
  return state_->fields.subject;
}
void TaskItem::setSubject(const std::string& v) {
  state_->fields.subject = v;
}
std::string TaskItem::Categories() const {
  return state_->fields.categories;
}
void TaskItem::setCategories(const std::string& v) {
  state_->fields.categories = v;
}
int TaskItem::Status() const {
  return state_->fields.status;
}
std::int64_t TaskItem::id() const {
  return state_->fields.id;
}

void TaskItem::setStatus(int v) {
  if (v < olTaskNotStarted || v > olTaskDeferred)
    throw StoreError("A task's status is a number from 0 to 4, not " + std::to_string(v) + ".");
  state_->fields.status = v;
}

void TaskItem::Save() {
  Connection& c = *state_->connection;
  const Fields& f = state_->fields;
  Transaction tx(c);
  if (f.id == 0) {
    Statement(c, Connection::Access::Write,
              "INSERT INTO tasks(subject, categories, status) VALUES(?1, ?2, ?3)")
        .bind(1, f.subject)
        .bind(2, f.categories)
        .bind(3, std::int64_t{f.status})
        .run();
  } else {
    Statement(c, Connection::Access::Write,
              "UPDATE tasks SET subject = ?1, categories = ?2, status = ?3 WHERE id = ?4")
        .bind(1, f.subject)
        .bind(2, f.categories)
        .bind(3, std::int64_t{f.status})
        .bind(4, f.id)
        .run();
    if (c.changes() == 0) c.failWith("the task \"" + f.subject + "\" is no longer in the store");
  }
  const std::int64_t id = f.id == 0 ? c.lastInsertId() : f.id;
  tx.commit();
  state_->fields.id = id;
}

std::shared_ptr<TaskItem> asTaskItem(const std::shared_ptr<StoreItem>& item) {
  auto task = std::dynamic_pointer_cast<TaskItem>(item);
  if (!task) throw StoreError("The item is not a task item.");
  return task;
}

}  // namespace tw

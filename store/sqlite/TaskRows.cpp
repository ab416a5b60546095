#include "store/sqlite/TaskRows.h"

#include <string>

#include "store/sqlite/Database.h"
#include "store/sqlite/Schema.h"
#include "store/sqlite/Statement.h"

namespace tw {
namespace {

void checkStatus(const Database& db, TaskStatus status) {
  const int n = static_cast<int>(status);
  if (n < 0 || n > 4)
    db.failWith("a task's status is a number from 0 to 4, not " + std::to_string(n));
}

}  // namespace

std::vector<Task> TaskRows::select(Database& db, const char* tail,
                                   const std::function<void(Statement&)>& bind) {
  const std::string sql = "SELECT id, uid, subject, categories, status, modified, " +
                          Schema::taskListIn(db.schemaVersion()) + " FROM tasks " + tail;
  Statement s(db, sql.c_str());
  if (bind) bind(s);
  std::vector<Task> tasks;
  while (s.step()) {
    Task t;
    t.id = s.integer(0);
    t.uid = s.text(1);
    t.subject = s.text(2);
    t.categories = s.text(3);
    t.status = static_cast<TaskStatus>(s.integer(4));
    t.modified = s.integer(5);
    t.list = s.text(6);
    tasks.push_back(std::move(t));
  }
  return tasks;
}

void TaskRows::insert(Database& db, Task& task) {
  checkStatus(db, task.status);
  const std::string sql = std::string(
                              "INSERT INTO tasks(uid, subject, categories, status, modified, list)"
                              " VALUES(coalesce(nullif(?1, ''), ") +
                          Schema::kNewUid + "), ?2, ?3, ?4, ?5, ?6) RETURNING id, uid";
  Statement s(db, sql.c_str());
  s.bind(1, task.uid).bind(2, task.subject).bind(3, task.categories);
  s.bind(4, static_cast<std::int64_t>(task.status)).bind(5, task.modified).bind(6, task.list);
  s.step();
  task.id = s.integer(0);
  task.uid = s.text(1);
  s.run();
}

void TaskRows::update(Database& db, const Task& task, std::int64_t modified) {
  checkStatus(db, task.status);
  Statement(db,
            "UPDATE tasks SET subject = ?1, categories = ?2, status = ?3, modified = ?4, list = ?5"
            " WHERE id = ?6")
      .bind(1, task.subject)
      .bind(2, task.categories)
      .bind(3, static_cast<std::int64_t>(task.status))
      .bind(4, modified)
      .bind(5, task.list)
      .bind(6, task.id)
      .run();
  if (db.changes() == 0) db.failWith("the task \"" + task.subject + "\" is no longer in the store");
}

}  // namespace tw

#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "tracking/TaskRename.h"

namespace tw {
namespace {

class TaskRenameTest : public test::SessionFixture {
 protected:
  void tiedEntry(const Task& task, const std::string& type = "Task") {
    JournalEntry e = test::localEntry(task.subject, monday9(), 600, type);
    e.taskUid = type == "Task" ? task.uid : "";
    store.addEntry(e);
  }
};

// A rename with entries renames those under the old subject timed for the task or tied to
// none; undone, the task and its entries have their old subject again.
TEST_F(TaskRenameTest, RenamesTheTasksHistoryAsOneChange) {
  const std::vector<Task> tasks = store.tasks();
  const Task kickOff = addTask("Start Work", "");
  tiedEntry(tasks[0]);
  for (const char* untied : {"Page layout", "page layout", "Page layout 2"})
    addEntry(untied, monday9(), 600);
  tiedEntry(tasks[1]);
  tiedEntry(kickOff, "TWEvent");
  tiedEntry(kickOff);
  const std::vector<std::string> before = subjects();
  const struct {
    Task task;
    const char* subject;
    bool entries;
    std::vector<std::string> after;
  } cases[] = {
      {tasks[0],
       "Page Layout",
       true,
       {"Page Layout", "Page Layout", "page layout", "Page layout 2", "Billing", "Start Work",
        "Start Work"}},
      {tasks[0],
       "Billing",
       true,
       {"Billing", "Billing", "page layout", "Page layout 2", "Billing", "Start Work",
        "Start Work"}},
      {kickOff,
       "Kick-off",
       true,
       {"Page layout", "Page layout", "page layout", "Page layout 2", "Billing", "Start Work",
        "Kick-off"}},
      {tasks[0], "Layout", false, before},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.subject);
    const TaskRename done = TaskRename::apply(store, c.task.id, c.subject, c.entries);
    EXPECT_EQ(subjects(), c.after);
    EXPECT_EQ(store.task(c.task.id)->subject, c.subject);
    done.undo(store);
    EXPECT_EQ(subjects(), before);
    EXPECT_EQ(store.task(c.task.id)->subject, c.task.subject);
  }
}

}  // namespace
}  // namespace tw

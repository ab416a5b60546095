#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "tracking/TaskRename.h"

namespace tw {
namespace {

using TaskRenameTest = test::SessionFixture;

// With entries, those under the old subject timed for the task or tied to none are renamed;
// undone, the task and its entries have their old subject again.
TEST_F(TaskRenameTest, RenamesTheTasksHistoryAsOneChange) {
  const std::vector<Task> tasks = store.tasks();
  const Task kickOff = addTask("Start Work", "");
  for (const auto& [task, type] :
       {std::pair{tasks[0], "Task"}, {tasks[1], "Task"}, {kickOff, "TWEvent"}, {kickOff, "Task"}}) {
    JournalEntry e = test::localEntry(task.subject, monday9(), 600, type);
    e.taskUid = task.uid;
    store.addEntry(e);
  }
  for (const char* untied : {"Page layout", "page layout", "Page layout 2"})
    addEntry(untied, monday9(), 600);
  const std::vector<std::string> before = subjects();
  using Journal = std::vector<std::string>;
  const std::tuple<Task, const char*, bool, Journal> cases[] = {
      {tasks[0],
       "Page Layout",
       true,
       {"Page Layout", "Billing", "Start Work", "Start Work", "Page Layout", "page layout",
        "Page layout 2"}},
      {tasks[0],
       "Billing",
       true,
       {"Billing", "Billing", "Start Work", "Start Work", "Billing", "page layout",
        "Page layout 2"}},
      {kickOff,
       "Kick-off",
       true,
       {"Page layout", "Billing", "Start Work", "Kick-off", "Page layout", "page layout",
        "Page layout 2"}},
      {tasks[0], "Layout", false, before},
  };
  for (const auto& [task, subject, entries, after] : cases) {
    const TaskRename done = TaskRename::apply(store, task.id, subject, entries);
    EXPECT_EQ(subjects(), after) << subject;
    EXPECT_EQ(store.task(task.id)->subject, subject);
    done.undo(store);
    EXPECT_EQ(subjects(), before);
    EXPECT_EQ(store.task(task.id)->subject, task.subject);
  }
}

}  // namespace
}  // namespace tw

#include "tracking/TaskList.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

Task task(std::string subject, std::string list, TaskStatus status = TaskStatus::NotStarted) {
  Task t;
  t.subject = std::move(subject);
  t.list = std::move(list);
  t.status = status;
  return t;
}

std::string offered(const TaskList& list) {
  std::string out;
  for (const Task& t : list.tasks()) out += (out.empty() ? "" : ",") + t.subject;
  return out;
}

TEST(TaskList, OffersTheOpenTasksOfTheListsShown) {
  const std::vector<Task> tasks{task("Local", ""), task("Work", "https://h/work/"),
                                task("Home", "https://h/home/"),
                                task("Done", "https://h/work/", TaskStatus::Complete)};
  const struct {
    std::vector<std::string> shown;
    const char* offered;
  } cases[] = {
      {{}, "Local,Work,Home"},
      {{"https://h/work/"}, "Local,Work"},
      {{"https://h/home/", "https://h/work/"}, "Local,Work,Home"},
      {{"https://h/gone/"}, "Local"},
  };
  for (const auto& c : cases) {
    const TaskList list(tasks, c.shown);
    EXPECT_EQ(offered(list), c.offered) << testing::PrintToString(c.shown);
    EXPECT_EQ(list.find("home") != nullptr,
              std::string(c.offered).find("Home") != std::string::npos);
  }
}

}  // namespace
}  // namespace tw

#pragma once

#include <memory>
#include <string>

#include "model/DateTime.h"
#include "store/Application.h"
#include "store/Items.h"
#include "store/JournalItem.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/TaskItem.h"

namespace tw::test {

inline Items journalOf(Application& app) {
  return app.GetNamespace("MAPI").GetDefaultFolder(olFolderJournal).Items();
}

inline Items tasksOf(Application& app) {
  return app.GetNamespace("MAPI").GetDefaultFolder(olFolderTasks).Items();
}

inline std::shared_ptr<JournalItem> saveEntry(Items& items, const std::string& subject,
                                              DateTime start, const std::string& type = "Task",
                                              const std::string& categories = "") {
  auto item = asJournalItem(items.Add(olJournalItem));
  item->setSubject(subject);
  item->setType(type);
  item->setStart(start);
  item->setCategories(categories);
  item->Save();
  return item;
}

inline std::shared_ptr<TaskItem> saveTask(Items& items, const std::string& subject,
                                          int status = olTaskNotStarted,
                                          const std::string& categories = "") {
  auto task = asTaskItem(items.Add(olTaskItem));
  task->setSubject(subject);
  task->setCategories(categories);
  task->setStatus(status);
  task->Save();
  return task;
}

inline DateTime day(int d, int hour = 9) {
  return DateTime::fromParts(2024, 3, d, hour);
}

}  // namespace tw::test

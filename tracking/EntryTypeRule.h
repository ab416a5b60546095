#pragma once

#include <string>

namespace tw {

// The type a task entry gets: the settings' entries.task_type ("Task" or "PJ_Task", Settings),
// read from the settings file each time a task entry is made, so that a change in the
// Preferences or in the file applies to the next entry.
class EntryTypeRule {
 public:
  // The rule on the user's settings file.
  EntryTypeRule();
  // On another settings file; "" for none (always "Task").
  explicit EntryTypeRule(std::string settingsFile) : file_(std::move(settingsFile)) {}

  std::string taskEntryType() const;

 private:
  std::string file_;
};

}  // namespace tw

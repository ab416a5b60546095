#pragma once

#include <string>

namespace tw {

// The type a task entry gets: "PJ_Task" when the per-user registry file (registry.ini in the
// user's settings folder, XdgFolders::configFile) has the value "Description" in the section
// [Software\Microsoft\Shared Tools\Outlook\Journaling\PJ_Task], else "Task", also when the
// file cannot be read. The file is only read, each time a task entry is made.
class EntryTypeRule {
 public:
  // The rule on the user's registry file.
  EntryTypeRule();
  explicit EntryTypeRule(std::string registryFile) : file_(std::move(registryFile)) {}

  std::string taskEntryType() const;

 private:
  std::string file_;
};

}  // namespace tw

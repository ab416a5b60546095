#include "tracking/EntryTypeRule.h"

#include "core/Error.h"
#include "core/IniFile.h"
#include "core/XdgFolders.h"

namespace tw {

EntryTypeRule::EntryTypeRule() : file_(XdgFolders::configFile("registry.ini")) {}

std::string EntryTypeRule::taskEntryType() const {
  std::optional<IniFile> registry;
  try {
    registry = IniFile::load(file_);
  } catch (const Error&) {
    // A registry file that cannot be read names no type: timing goes on with the usual one.
    return "Task";
  }
  // Section names may separate their parts with "\" or "/".
  for (const char* section : {"Software\\Microsoft\\Shared Tools\\Outlook\\Journaling\\PJ_Task",
                              "Software/Microsoft/Shared Tools/Outlook/Journaling/PJ_Task"}) {
    if (registry && registry->value(section, "Description")) return "PJ_Task";
  }
  return "Task";
}

}  // namespace tw

#include "tracking/EntryTypeRule.h"

#include "core/Settings.h"

namespace tw {

EntryTypeRule::EntryTypeRule() : file_(Settings::defaultPath()) {}

std::string EntryTypeRule::taskEntryType() const {
  return Settings::load(file_).taskEntryType();
}

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "gui/desktop/IdleQuestion.h"

namespace tw {

// The settings of the window's desktop life, read from the one settings file (Settings) at
// each use, so that a change in the Preferences or in the file applies at once.
class DesktopSettings {
 public:
  // [idle] minutes: how long without input counts as time away.
  static std::int64_t idleLimitSeconds();
  // [idle] on_return: the answer given without asking when the user is back; nothing to ask.
  static std::optional<IdleQuestion::Answer> answerOnReturn();
  // [timer] overdue_hours: after how long one timed entry is questioned.
  static std::int64_t overdueLimitSeconds();
  // [window] close_to_tray.
  static bool closeToTray();
  // What the file holds that a setting does not take (Settings::corrections).
  static std::vector<std::string> corrections();

 private:
  static Settings current();
};

}  // namespace tw

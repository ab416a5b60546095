#pragma once

#include <QString>
#include <cstdint>

namespace tw {

// The desktop settings a user may change by hand, in $XDG_CONFIG_HOME/tallyworks/desktop.ini.
class DesktopSettings {
 public:
  static constexpr int kDefaultIdleMinutes = 10;
  static constexpr double kDefaultOverdueHours = 4;

  // $XDG_CONFIG_HOME, or ~/.config when it is unset or not an absolute path.
  static QString configHome();
  // [idle] minutes: how long without input counts as time away; the default when unset or not
  // a positive number.
  static std::int64_t idleLimitSeconds();
  // [timer] overdue_hours: after how long one timed entry is questioned; the default when unset
  // or not a positive number.
  static std::int64_t overdueLimitSeconds();
};

}  // namespace tw

#pragma once

#include <cstdint>

namespace tw {

// The desktop settings a user may change by hand, in desktop.ini in the user's settings folder
// (XdgFolders::configFile); a file that cannot be read leaves every setting at its default.
class DesktopSettings {
 public:
  static constexpr int kDefaultIdleMinutes = 10;
  static constexpr double kDefaultOverdueHours = 4;

  // [idle] minutes: how long without input counts as time away; the default when unset or not
  // a positive number.
  static std::int64_t idleLimitSeconds();
  // [timer] overdue_hours: after how long one timed entry is questioned; the default when unset
  // or not a positive number.
  static std::int64_t overdueLimitSeconds();
};

}  // namespace tw

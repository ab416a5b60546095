#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "core/TimeZone.h"

namespace tw::test {

// Sets the time zone (TZ) for as long as it lives and puts back what was there before, set or
// not, also when a test ends early on a failed assertion. Null is the machine's own zone (TZ
// unset).
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* before = std::getenv("TZ")) before_ = before;
    use(zone);
  }
  ~ScopedTimeZone() { use(before_ ? before_->c_str() : nullptr); }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  static void use(const char* zone) {
    if (zone)
      setenv("TZ", zone, 1);
    else
      unsetenv("TZ");
    TimeZone::reload();
  }

  std::optional<std::string> before_;
};

}  // namespace tw::test

#include "core/SystemClock.h"

#include <time.h>

namespace tw {

Instant SystemClock::now() const {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return Instant::fromUnix(ts.tv_sec);
}

std::int64_t SystemClock::steadyMillis() const {
  timespec ts{};
  clock_gettime(CLOCK_BOOTTIME, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace tw

#include "model/Clock.h"

#include <atomic>
#include <ctime>

#include "model/SystemClock.h"

namespace tw {
namespace {

const SystemClock kSystemClock;
std::atomic<const Clock*> gCurrent{nullptr};

}  // namespace

const Clock& Clock::current() {
  const Clock* c = gCurrent.load(std::memory_order_acquire);
  return c ? *c : kSystemClock;
}

void Clock::setCurrent(const Clock* clock) {
  gCurrent.store(clock, std::memory_order_release);
}

DateTime SystemClock::now() const {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return DateTime::fromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min, local.tm_sec);
}

}  // namespace tw

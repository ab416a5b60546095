#pragma once

#include <cstdint>

namespace tw {

// A process told apart from any later one that gets its id: the id and the process's start
// time (clock ticks since boot). An id of 0 stands for no process: a detached timer.
class ProcessIdentity {
 public:
  std::int64_t pid = 0;
  std::int64_t startTime = 0;

  static ProcessIdentity self();
  static ProcessIdentity detached() { return {}; }
  // True while that very process runs (a zombie has ended).
  bool alive() const;
  bool isDetached() const { return pid == 0; }
  friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

}  // namespace tw

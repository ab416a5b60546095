#pragma once

#include <QString>

#include "core/Instant.h"

namespace tw {

// What to do with the time the user was away while a task was timed. The program asks with a
// message box; tests answer from a script.
class IdleQuestion {
 public:
  enum class Answer {
    // The time away counts.
    Keep,
    // The entry ends where the time away began; timing stops.
    Discard,
    // As Discard, and a new entry of the task is timed from now.
    DiscardAndGoOn,
    // The entry ends where the time away began, and so does the period of work.
    Stop,
  };

  virtual ~IdleQuestion() = default;
  virtual Answer ask(const QString& task, Instant awaySince, Instant now) = 0;
};

}  // namespace tw

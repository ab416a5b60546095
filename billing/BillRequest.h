#pragma once

#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace tw {

// What a bill is asked for: a client (by name, letter case aside), its local days first
// through last, and the lines it is cut into.
struct BillRequest {
  enum class Per {
    // A line per task (and per rate, where the rate changes inside the period).
    Task,
    // A line per task and day.
    Day,
    // A line per journal entry, with its notes.
    Entry,
  };

  std::string client;
  // Midnight of the first and of the last day.
  DateTime first;
  DateTime last;
  Per per = Per::Task;

  // "task", "day", "entry"; throws BillingError for other words.
  static Per parsePer(std::string_view word);
};

}  // namespace tw

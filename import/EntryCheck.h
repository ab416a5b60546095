#pragma once

#include <string>

#include "core/JournalEntry.h"

namespace tw {

// What an imported entry may hold: a subject that is not blank, texts of valid UTF-8 without
// control characters (the notes may hold line ends and tabs), bounded lengths, a length of at
// most kMostSeconds and a start a date-time can show.
class EntryCheck {
 public:
  static constexpr std::int64_t kMostSeconds = 60'000'000;
  static constexpr std::size_t kMostName = 1000;
  static constexpr std::size_t kMostBody = 64 * 1024;
  static constexpr std::int32_t kMostOffset = 18 * 3600;

  // Why the entry may not be stored ("its subject is empty"), or an empty text.
  static std::string problem(const JournalEntry& entry);
};

}  // namespace tw

#pragma once

#include <string>
#include <string_view>

#include "model/JournalEntry.h"

namespace tw {

// The interchange form of journal items: one JSON object per line with the keys subject,
// start (YYYY-MM-DDTHH:MM:SS, local), duration (whole minutes), categories, type, companies
// and body. Missing keys are empty or 0.
class JournalLines {
 public:
  // Throws std::invalid_argument saying what is wrong with the line.
  static JournalEntry parse(std::string_view line);
  // One line without its line end; the entry's item id is not written.
  static std::string format(const JournalEntry& entry);
};

}  // namespace tw

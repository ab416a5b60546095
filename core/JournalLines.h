#pragma once

#include <string>
#include <string_view>

#include "core/JournalEntry.h"

namespace tw {

// The interchange form of journal entries: one JSON object per line with the keys
//   uid         the entry's uid; an entry of a uid already stored is updated, not added again
//   subject, categories, type, companies, body    texts
//   start       the local start, YYYY-MM-DDTHH:MM:SS (required)
//   utc_offset  seconds east of UTC in force at the start; without it the start is read in the
//               machine's time zone
//   duration    whole minutes, 0 to 1,000,000
//   seconds     the exact length, 0 to 60,000,000; wins over duration
//   task        the uid of the task the entry was timed for
// Missing keys are empty or 0. Unknown and repeated keys are errors, and so is an entry that
// breaks what an entry may hold (EntryRules: control characters, dates out of range, ...).
class JournalLines {
 public:
  // Throws FormatError saying what is wrong with the line.
  static JournalEntry parse(std::string_view line);
  // One line without its line end, every key written; the entry's row id is not.
  static std::string format(const JournalEntry& entry);
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <string>

#include "core/JournalEntry.h"

namespace tw {

class CommandContext;

// The entries of a command's output that break what an entry may hold (EntryRules), as an
// older version or another program may have stored them: they are written as they are, and
// named once on standard error after the output, with a pointer to `tallyworks check`.
class FlaggedEntries {
 public:
  void note(const JournalEntry& entry);
  // The warning, when there was anything to flag.
  void warn(CommandContext& context) const;

 private:
  std::int64_t count_ = 0;
  std::string first_;
};

}  // namespace tw

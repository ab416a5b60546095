#include "cli/FlaggedEntries.h"

#include "cli/CommandContext.h"
#include "core/EntryRules.h"

namespace tw {

void FlaggedEntries::note(const JournalEntry& entry) {
  const std::string why = EntryRules::whyInvalid(entry);
  if (why.empty()) return;
  if (count_++ == 0) first_ = "the entry " + entry.uid + ": " + why;
}

void FlaggedEntries::warn(CommandContext& context) const {
  if (count_ == 0) return;
  context.warn(std::to_string(count_) + (count_ == 1 ? " entry holds" : " entries hold") +
               " values Tallyworks no longer accepts (" + first_ +
               "); `tallyworks check` lists them");
}

}  // namespace tw

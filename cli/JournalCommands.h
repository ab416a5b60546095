#pragma once

#include <string>
#include <vector>

#include "cli/CommandGroup.h"
#include "core/JournalEntry.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// journal import FILE|- and journal export [FILE]: the journal as JSON Lines (JournalLines).
// An import is all or nothing: every line is read and checked before the store is changed in
// one transaction.
class JournalCommands : public CommandGroup {
 public:
  JournalCommands(CLI::App& journal, CommandChoice& choice);

 private:
  void importLines(CommandContext& context);
  std::vector<JournalEntry> readLines(std::istream& lines) const;
  void exportLines(CommandContext& context);

  std::string file_;
};

}  // namespace tw

#pragma once

#include <string>
#include <vector>

#include "cli/CommandGroup.h"
#include "core/JournalEntry.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

// journal import FILE|- and journal export [FILE]: the journal as JSON Lines (JournalLines).
// An import is all or nothing: every line is read and checked before the store is changed in
// one transaction.
class JournalCommands : public CommandGroup {
 public:
  explicit JournalCommands(CLI::App& journal);
  bool run(CommandContext& context) override;

 private:
  void importLines(CommandContext& context);
  std::vector<JournalEntry> readLines(std::istream& lines) const;
  void exportLines(CommandContext& context);

  CLI::App* import_;
  CLI::App* export_;
  std::string file_;
};

}  // namespace tw

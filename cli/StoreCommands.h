#pragma once

#include <string>

#include "cli/CommandGroup.h"
#include "core/Instant.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;
class JournalStore;
class TextOutput;

// backup FILE, check and recover FILE: the store file as a whole, read and never changed.
class StoreCommands : public CommandGroup {
 public:
  StoreCommands(CLI::App& app, CommandChoice& choice);

 private:
  void backup(CommandContext& context);
  void check(CommandContext& context);
  void recover(CommandContext& context);
  // Writes a line for every task and entry that breaks what it may hold; returns how many.
  static long listInvalidItems(JournalStore& store, TextOutput& output);
  // Writes a line for every journal entry that cannot be billed as it is (JournalProblems);
  // returns how many.
  static long listProblems(JournalStore& store, Instant now, TextOutput& output);

  std::string file_;
};

}  // namespace tw

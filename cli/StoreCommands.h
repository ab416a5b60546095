#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class JournalStore;
class TextOutput;

// backup FILE, check and recover FILE: the store file as a whole, read and never changed.
class StoreCommands : public CommandGroup {
 public:
  explicit StoreCommands(CLI::App& app);
  bool run(CommandContext& context) override;

 private:
  void check(CommandContext& context);
  // Writes a line for every task and entry that breaks what it may hold; returns how many.
  static long listInvalidItems(JournalStore& store, TextOutput& output);

  CLI::App* backup_;
  CLI::App* check_;
  CLI::App* recover_;
  std::string file_;
};

}  // namespace tw

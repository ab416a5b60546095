#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

// backup FILE and check: the store file as a whole, read and never changed.
class StoreCommands : public CommandGroup {
 public:
  explicit StoreCommands(CLI::App& app);
  bool run(CommandContext& context) override;

 private:
  CLI::App* backup_;
  CLI::App* check_;
  std::string file_;
};

}  // namespace tw

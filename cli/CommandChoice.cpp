#include "cli/CommandChoice.h"

#include <CLI/CLI.hpp>

namespace tw {

// The callback holds the command's number, not the command: small enough for std::function to
// keep without allocating, as the parser is made anew for every command line.
void CommandChoice::bind(CLI::App& subcommand, Command command) {
  commands_.push_back(std::move(command));
  subcommand.callback([this, number = commands_.size()] {
    if (chosen_ == 0) chosen_ = number;
  });
}

void CommandChoice::run(CommandContext& context) const {
  if (chosen_ > 0) commands_[chosen_ - 1](context);
}

}  // namespace tw

#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandContext;

// The command the arguments name. Each command is bound, when it is declared, to the function
// that does it; parsing the arguments chooses it, and it runs afterwards, once every argument
// has been checked, with the context (the store, the streams, the clock).
class CommandChoice {
 public:
  using Command = std::function<void(CommandContext&)>;

  CommandChoice() = default;
  // The parser's callbacks refer to this object.
  CommandChoice(const CommandChoice&) = delete;
  CommandChoice& operator=(const CommandChoice&) = delete;

  // Binds the subcommand to command. A command that has commands of its own (sync) runs its
  // own function only when none of them is given: CLI11 calls the innermost first.
  void bind(CLI::App& subcommand, Command command);
  // Runs the command chosen, if any.
  void run(CommandContext& context) const;

 private:
  std::vector<Command> commands_;
  // 1 + the index in commands_ of the command chosen; 0 while none is.
  std::size_t chosen_ = 0;
};

}  // namespace tw

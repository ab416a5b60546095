#pragma once

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/CommandGroup.h"

namespace tw {

class CommandContext;

// The parser of the command line with every command; each group of commands holds the values
// the arguments give it.
class CommandParser {
 public:
  CommandParser();
  CommandParser(const CommandParser&) = delete;
  CommandParser& operator=(const CommandParser&) = delete;

  CLI::App& app() { return app_; }
  // What is wrong with the words before the command: an unknown option, or a first word that
  // names no command; empty when nothing is.
  std::string unknownBeforeCommand(const std::vector<std::string>& args) const;
  // After parsing: runs the command given.
  void runCommand(CommandContext& context);

 private:
  CLI::App app_;
  CLI::Option* store_ = nullptr;
  std::string storePath_;
  std::vector<std::unique_ptr<CommandGroup>> groups_;
};

}  // namespace tw

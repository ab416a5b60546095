#pragma once

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/CommandChoice.h"
#include "cli/CommandGroup.h"
#include "cli/CommandLine.h"

namespace tw {

class CommandContext;

// The parser of the command line with every command; each group of commands holds the values
// the arguments give it. The calendar's commands (sync, ical) are known to every parser, for
// help and errors, and run only where their group is given.
class CommandParser {
 public:
  static constexpr const char* kSync = "sync";
  static constexpr const char* kIcal = "ical";

  explicit CommandParser(const CommandLine::CalendarCommands& calendar,
                         const CommandLine::CalendarFileReader& ktimetracker = {});
  CommandParser(const CommandParser&) = delete;
  CommandParser& operator=(const CommandParser&) = delete;

  CLI::App& app() { return app_; }
  // What is wrong with the words before the command: an unknown option, or a first word that
  // names no command; empty when nothing is.
  std::string unknownBeforeCommand(const std::vector<std::string>& args) const;
  // After parsing: runs the command given.
  void runCommand(CommandContext& context);
  // The first word of args that is neither an option nor the path of --store: the command's
  // name, or "" when there is none.
  static std::string commandName(const std::vector<std::string>& args);

 private:
  CLI::App app_;
  CLI::Option* store_ = nullptr;
  std::string storePath_;
  CommandChoice choice_;
  std::vector<std::unique_ptr<CommandGroup>> groups_;
};

}  // namespace tw

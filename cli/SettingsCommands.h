#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// settings [NAME [VALUE]]: the settings of the one settings file (Settings), the same the
// window's Preferences show and change. Without a name every setting is listed; a value found
// wrong in the file is said on standard error with the value used instead.
class SettingsCommands : public CommandGroup {
 public:
  SettingsCommands(CLI::App& app, CommandChoice& choice);

 private:
  void settings(CommandContext& context);

  std::string name_;
  std::string value_;
};

}  // namespace tw

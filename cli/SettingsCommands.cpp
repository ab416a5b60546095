#include "cli/SettingsCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/UsageError.h"
#include "core/FormatError.h"
#include "core/Settings.h"

namespace tw {

SettingsCommands::SettingsCommands(CLI::App& app, CommandChoice& choice) {
  CLI::App* command = app.add_subcommand(
      "settings", "Show the settings, or change one (the window's Preferences alike)");
  command->add_option("name", name_, "The setting, section.key (idle.minutes)");
  command->add_option("value", value_, "Its new value");
  choice.bind(*command, [this](CommandContext& context) { settings(context); });
}

void SettingsCommands::settings(CommandContext& context) {
  const std::string path = Settings::defaultPath();
  Settings settings = Settings::load(path);
  for (const std::string& c : settings.corrections()) context.warn(c);
  TextOutput output = context.output("");
  if (!value_.empty()) {
    try {
      settings.set(name_, value_);
    } catch (const FormatError& e) {
      throw UsageError(e.what());
    }
    settings.save(path);
  } else if (!name_.empty()) {
    try {
      output.write(settings.text(name_) + '\n');
    } catch (const FormatError& e) {
      throw UsageError(e.what());
    }
  } else {
    for (const std::string& name : Settings::names())
      output.write(name + " = " + settings.text(name) + '\n');
  }
  output.finish();
}

}  // namespace tw

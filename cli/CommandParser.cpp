#include "cli/CommandParser.h"

#include "cli/BillingCommands.h"
#include "cli/ClientCommands.h"
#include "cli/CommandContext.h"
#include "cli/ImportCommands.h"
#include "cli/JournalCommands.h"
#include "cli/JournalEditCommands.h"
#include "cli/ReportCommands.h"
#include "cli/StoreCommands.h"
#include "cli/TaskCommands.h"
#include "cli/TerminalText.h"
#include "cli/TrackingCommands.h"
#include "cli/UsageError.h"

namespace tw {
namespace {

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

}  // namespace

CommandParser::CommandParser(const CommandLine::CalendarCommands& calendar,
                             const CommandLine::CalendarFileReader& ktimetracker)
    : app_(
          "Tallyworks times work on tasks and reports on it. Without a command it opens the "
          "main window.",
          "tallyworks") {
  app_.set_version_flag("--version", "tallyworks " TALLYWORKS_VERSION);
  app_.require_subcommand(1, 1);
  store_ = app_.add_option("--store", storePath_,
                           "Use this store file instead of the default (before the command)");
  CLI::App* task = app_.add_subcommand("task", "Add, list and change tasks");
  CLI::App* journal = app_.add_subcommand("journal", "Read, write and change the journal");
  CLI::App* ical = app_.add_subcommand(kIcal, "Write and read iCalendar (.ics) files");
  task->require_subcommand(1, 1);
  journal->require_subcommand(1, 1);
  ical->require_subcommand(1, 1);
  groups_.push_back(std::make_unique<TaskCommands>(*task, choice_));
  groups_.push_back(std::make_unique<JournalCommands>(*journal, choice_));
  groups_.push_back(std::make_unique<JournalEditCommands>(*journal, choice_));
  groups_.push_back(std::make_unique<ReportCommands>(app_, choice_));
  groups_.push_back(std::make_unique<StoreCommands>(app_, choice_));
  groups_.push_back(std::make_unique<TrackingCommands>(app_, choice_));
  CLI::App* sync = app_.add_subcommand(kSync,
                                       "Synchronise tasks and journal with the CalDAV server "
                                       "named in $XDG_CONFIG_HOME/tallyworks/sync.ini");
  if (calendar) groups_.push_back(calendar(*sync, *ical, choice_));
  groups_.push_back(std::make_unique<ImportCommands>(app_, choice_, ktimetracker));
  groups_.push_back(std::make_unique<ClientCommands>(app_, choice_));
  groups_.push_back(std::make_unique<BillingCommands>(app_, choice_));
}

std::string CommandParser::unknownBeforeCommand(const std::vector<std::string>& args) const {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--store") {
      ++i;
    } else if (startsWith(word, "-")) {
      if (!startsWith(word, "--store=") && word != "-h" && word != "--help" && word != "--version")
        return "unknown option " + TerminalText::quoted(word);
    } else {
      for (const CLI::App* command : app_.get_subcommands({}))
        if (command->get_name() == word) return "";
      return "unknown command " + TerminalText::quoted(word);
    }
  }
  return "";
}

std::string CommandParser::commandName(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--store")
      ++i;
    else if (!startsWith(args[i], "-"))
      return args[i];
  }
  return "";
}

void CommandParser::runCommand(CommandContext& context) {
  if (store_->count() > 0) {
    if (storePath_.empty()) throw UsageError("--store needs the path of a store file");
    context.useStore(storePath_);
  }
  choice_.run(context);
}

}  // namespace tw

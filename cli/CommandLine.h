#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/CommandGroup.h"
#include "core/Clock.h"
#include "core/SystemClock.h"
#include "import/ForeignJournal.h"
#include "import/InputText.h"
#include "store/StoreOpener.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;

// The commands of the tallyworks executable, run without any window (tallyworks --help lists
// them), with --store PATH before the command. Errors go to the error stream as one line
// "tallyworks: ..."; the exit code is kSuccess, kFailure, kUsage for arguments given wrongly
// (nothing is changed then), or kFindings when `check` found journal entries to look at.
class CommandLine {
 public:
  static constexpr int kSuccess = 0;
  static constexpr int kFailure = 1;
  static constexpr int kUsage = 2;
  static constexpr int kFindings = 3;

  // The group of the calendar's commands, made on the parser's commands sync and ical.
  using CalendarCommands = std::function<std::unique_ptr<CommandGroup>(
      CLI::App& sync, CLI::App& ical, CommandChoice& choice)>;
  // The reader of another tracker's file that needs the calendar library (KTimeTracker's).
  using CalendarFileReader = std::function<ForeignJournal(InputText&)>;

  // What tests replace, and what a program adds.
  struct Seams {
    // Whether text written to the stream shows on a terminal; by default isatty() of
    // standard output's (or standard error's) descriptor.
    std::function<bool(const std::ostream&)> isTerminal;
    // The clock of the tracking commands; the system clock when null.
    const Clock* clock = nullptr;
    // The calendar's commands (sync, ical), given only by the program that runs them
    // (tallyworks-sync, which loads the network and calendar libraries); without them those
    // commands fail, and tallyworks hands them to that program before it parses anything.
    CalendarCommands calendar;
    // As calendar: import --from ktimetracker runs only where this reader is given.
    CalendarFileReader ktimetracker;
  };

  CommandLine(std::istream& in, std::ostream& out, std::ostream& err, const StoreOpener& stores);
  CommandLine(std::istream& in, std::ostream& out, std::ostream& err, const StoreOpener& stores,
              Seams seams);

  // Runs the command that args (without the program name) give; returns the exit code.
  int run(const std::vector<std::string>& args);

  // False only for what asks for the window: no arguments, or only --store PATH
  // (--store=PATH); everything else is for the command line, unknown options included.
  static bool namesCommand(const std::vector<std::string>& args);
  // The --store path for the window, "" for the default store. Throws UsageError
  // when --store has no path or is given twice.
  static std::string windowStore(const std::vector<std::string>& args);
  // Whether args name one of the calendar's commands (sync, ical, and import --from
  // ktimetracker) as the command.
  static bool namesCalendarCommand(const std::vector<std::string>& args);

 private:
  int complain(int code, const std::string& message);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  const StoreOpener& stores_;
  Seams seams_;
  SystemClock systemClock_;
};

}  // namespace tw

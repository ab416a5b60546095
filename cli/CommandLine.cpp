#include "cli/CommandLine.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/CommandContext.h"
#include "cli/CommandParser.h"
#include "cli/JournalFindings.h"
#include "cli/TerminalText.h"
#include "cli/UsageError.h"

namespace tw {
namespace {

constexpr const char* kSeeHelp = " (see tallyworks --help)";

bool onTerminal(const std::ostream& stream) {
  if (stream.rdbuf() == std::cout.rdbuf()) return ::isatty(STDOUT_FILENO) == 1;
  if (stream.rdbuf() == std::cerr.rdbuf()) return ::isatty(STDERR_FILENO) == 1;
  return false;
}

}  // namespace

CommandLine::CommandLine(std::istream& in, std::ostream& out, std::ostream& err,
                         const StoreOpener& stores)
    : CommandLine(in, out, err, stores, Seams{}) {}

CommandLine::CommandLine(std::istream& in, std::ostream& out, std::ostream& err,
                         const StoreOpener& stores, Seams seams)
    : in_(in), out_(out), err_(err), stores_(stores), seams_(std::move(seams)) {
  if (!seams_.isTerminal) seams_.isTerminal = onTerminal;
  if (!seams_.clock) seams_.clock = &systemClock_;
}

int CommandLine::complain(int code, const std::string& message) {
  err_ << "tallyworks: " << TerminalText::oneLine(message) << '\n';
  err_.flush();
  return code;
}

int CommandLine::run(const std::vector<std::string>& args) {
  if (!seams_.calendar && namesCalendarCommand(args))
    return complain(kFailure,
                    "the commands sync, ical and import --from ktimetracker run in "
                    "tallyworks-sync, not here");
  CommandParser parser(seams_.calendar, seams_.ktimetracker);
  if (const std::string unknown = parser.unknownBeforeCommand(args); !unknown.empty())
    return complain(kUsage, unknown + kSeeHelp);
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    parser.app().parse(reversed);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return parser.app().exit(e, out_, err_);
    return complain(kUsage, e.what() + std::string(kSeeHelp));
  }
  try {
    CommandContext context(in_, out_, err_, seams_.isTerminal(out_), stores_, *seams_.clock);
    parser.runCommand(context);
  } catch (const UsageError& e) {
    return complain(kUsage, e.what());
  } catch (const JournalFindings& e) {
    return complain(kFindings, e.what());
  } catch (const std::exception& e) {
    return complain(kFailure, e.what());
  }
  return kSuccess;
}

bool CommandLine::namesCommand(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--store")
      ++i;  // its path, if any (windowStore says when it has none)
    else if (args[i].rfind("--store=", 0) != 0)
      return true;
  }
  return false;
}

bool CommandLine::namesCalendarCommand(const std::vector<std::string>& args) {
  const std::string name = CommandParser::commandName(args);
  if (name == CommandParser::kSync || name == CommandParser::kIcal) return true;
  if (name != "import") return false;
  for (std::size_t i = 0; i < args.size(); ++i)
    if ((args[i] == "--from" && i + 1 < args.size() && args[i + 1] == "ktimetracker") ||
        args[i] == "--from=ktimetracker")
      return true;
  return false;
}

std::string CommandLine::windowStore(const std::vector<std::string>& args) {
  std::string path;
  bool given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (given) throw UsageError("--store is given more than once");
    if (args[i] == "--store") {
      if (i + 1 >= args.size() || args[i + 1].rfind('-', 0) == 0)
        throw UsageError("--store needs the path of a store file");
      path = args[++i];
    } else if (args[i].rfind("--store=", 0) == 0) {
      path = args[i].substr(std::string("--store=").size());
    } else {
      throw UsageError("the window takes no argument but --store PATH");
    }
    if (path.empty()) throw UsageError("--store needs the path of a store file");
    given = true;
  }
  return path;
}

}  // namespace tw

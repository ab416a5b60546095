#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

// The commands of the tallyworks executable, run without any window:
//   task add SUBJECT [--categories TEXT] [--status N] | task list [--all] |
//   task status SUBJECT N | journal import FILE|- | journal export [FILE] |
//   report [--from DATE] [--to DATE] [--category TEXT] [--output FILE] |
//   csv --from DATE --to DATE [--category TEXT] [--output FILE]
// with --store PATH before the command. Errors go to the error stream as one line.
class CommandLine {
 public:
  static constexpr int kSuccess = 0;
  static constexpr int kFailure = 1;
  static constexpr int kUsage = 2;

  CommandLine(std::istream& in, std::ostream& out, std::ostream& err);

  // Runs the command that args (without the program name) give; returns the exit code.
  int run(const std::vector<std::string>& args);

  // True when args name a command (or ask for help); false when they are for the window:
  // nothing, --store PATH, or options of the window toolkit.
  static bool namesCommand(const std::vector<std::string>& args);
  // The arguments for the window: applies --store PATH and leaves it out of what is
  // returned. Throws std::invalid_argument when --store has no path.
  static std::vector<std::string> windowArguments(const std::vector<std::string>& args);

 private:
  void taskAdd(const std::string& subject, const std::string& categories, int status);
  void taskList(bool all);
  void taskStatus(const std::string& subject, int status);
  void journalImport(const std::string& file);
  void journalExport(const std::string& file);
  void report(const std::string& from, const std::string& to, const std::string& category,
              const std::string& output, bool csv);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace tw

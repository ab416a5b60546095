#include "app/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <stdexcept>

#include "Version.h"
#include "model/DateText.h"
#include "model/DateTimeError.h"
#include "store/Application.h"
#include "store/TaskItem.h"

namespace tw {
namespace {

const std::vector<std::string> kCommands = {"task",   "journal", "report",   "csv",
                                            "--help", "-h",      "--version"};

// A usage error found after parsing, reported like the parser's own.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void checkDate(const std::string& option, const std::string& text) {
  if (text.empty()) return;
  try {
    DateText::parse(text);
  } catch (const DateTimeError&) {
    throw UsageError(option + ": \"" + text + "\" is not a date of the form M/d/yyyy");
  }
}

}  // namespace

CommandLine::CommandLine(std::istream& in, std::ostream& out, std::ostream& err)
    : in_(in), out_(out), err_(err) {}

bool CommandLine::namesCommand(const std::vector<std::string>& args) {
  std::size_t i = 0;
  while (i < args.size() && (args[i] == "--store" || args[i].rfind("--store=", 0) == 0))
    i += args[i] == "--store" ? 2 : 1;
  if (i >= args.size()) return false;
  const std::string& first = args[i];
  return std::find(kCommands.begin(), kCommands.end(), first) != kCommands.end() || first.empty() ||
         first[0] != '-';
}

std::vector<std::string> CommandLine::windowArguments(const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--store") {
      if (i + 1 >= args.size())
        throw std::invalid_argument("--store needs the path of a store file");
      Application::setDefaultStorePath(args[++i]);
    } else if (args[i].rfind("--store=", 0) == 0) {
      Application::setDefaultStorePath(args[i].substr(8));
    } else {
      rest.push_back(args[i]);
    }
  }
  return rest;
}

int CommandLine::run(const std::vector<std::string>& args) {
  CLI::App app{
      "Tallyworks times work on tasks and reports on it. Without a command it opens "
      "the main window.",
      "tallyworks"};
  app.set_version_flag("--version", "tallyworks " + std::to_string(version::major) + "." +
                                        std::to_string(version::minor) + "." +
                                        std::to_string(version::revision));
  app.require_subcommand(1, 1);
  std::string store;
  app.add_option("--store", store, "Use this store file instead of the default");

  auto* task = app.add_subcommand("task", "Add, list and change tasks")->require_subcommand(1, 1);
  std::string subject, categories;
  int status = olTaskNotStarted;
  bool all = false;
  auto* addCommand = task->add_subcommand("add", "Add a task");
  addCommand->add_option("SUBJECT", subject, "The task's subject")->required();
  addCommand->add_option("--categories", categories, "The task's categories");
  addCommand
      ->add_option("--status", status,
                   "0 not started, 1 in progress, 2 complete, 3 waiting, 4 deferred")
      ->check(CLI::Range(0, 4));
  auto* listCommand =
      task->add_subcommand("list", "List the open tasks: subject, categories, status");
  listCommand->add_flag("--all", all, "List every task, finished ones too");
  auto* statusCommand =
      task->add_subcommand("status", "Set the status of the task(s) of that subject");
  statusCommand->add_option("SUBJECT", subject, "The task's subject")->required();
  statusCommand->add_option("N", status, "The new status, 0 to 4")
      ->required()
      ->check(CLI::Range(0, 4));

  auto* journal = app.add_subcommand("journal", "Load or save the journal as JSON Lines")
                      ->require_subcommand(1, 1);
  std::string file;
  journal
      ->add_subcommand("import",
                       "Add the journal items of a JSON Lines file (- for standard input)")
      ->add_option("FILE", file, "The file to read")
      ->required();
  auto* exportCommand = journal->add_subcommand("export", "Write every journal item as JSON Lines");
  exportCommand->add_option("FILE", file, "The file to write (standard output when absent)");

  std::string from, to, category, output;
  auto* reportCommand = app.add_subcommand("report", "Write the text report");
  auto* csvCommand = app.add_subcommand("csv", "Write the CSV table of hours per category and day");
  for (auto* command : {reportCommand, csvCommand}) {
    auto* first = command->add_option("--from", from, "First day, M/d/yyyy");
    auto* last = command->add_option("--to", to, "Last day, M/d/yyyy");
    command->add_option("--category", category, "Only this category (wildcards * ? # [..])");
    command->add_option("--output", output, "Write to this file instead of standard output");
    if (command == csvCommand) {
      first->required();
      last->required();
    }
  }

  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--store")
      ++i;
    else if (args[i].rfind("--store=", 0) == 0)
      continue;
    else if (args[i].empty() || args[i][0] != '-') {
      if (std::find(kCommands.begin(), kCommands.end(), args[i]) != kCommands.end()) break;
      err_ << "tallyworks: unknown command \"" << args[i] << "\" (see tallyworks --help)\n";
      return kUsage;
    } else
      break;
  }

  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
    checkDate("--from", from);
    checkDate("--to", to);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, out_, err_);
    err_ << "tallyworks: " << e.what() << " (see tallyworks --help)\n";
    return kUsage;
  } catch (const UsageError& e) {
    err_ << "tallyworks: " << e.what() << '\n';
    return kUsage;
  }

  try {
    if (!store.empty()) Application::setDefaultStorePath(store);
    if (addCommand->parsed())
      this->taskAdd(subject, categories, status);
    else if (listCommand->parsed())
      this->taskList(all);
    else if (statusCommand->parsed())
      this->taskStatus(subject, status);
    else if (exportCommand->parsed())
      journalExport(file);
    else if (journal->parsed())
      journalImport(file);
    else
      report(from, to, category, output, csvCommand->parsed());
  } catch (const std::exception& e) {
    err_ << "tallyworks: " << e.what() << '\n';
    return kFailure;
  }
  return kSuccess;
}

}  // namespace tw

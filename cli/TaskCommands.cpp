#include "cli/TaskCommands.h"

#include <CLI/CLI.hpp>
#include <stdexcept>

#include "cli/CommandContext.h"
#include "cli/TerminalText.h"
#include "cli/TextArgument.h"
#include "core/CaseFold.h"
#include "core/TextLike.h"

namespace tw {
namespace {

constexpr const char* kStatuses = "0 not started, 1 in progress, 2 complete, 3 waiting, 4 deferred";

}  // namespace

TaskCommands::TaskCommands(CLI::App& task)
    : addCommand_(task.add_subcommand("add", "Add a task")),
      listCommand_(task.add_subcommand("list", "List the open tasks: subject, categories, status")),
      statusCommand_(
          task.add_subcommand("status", "Set the status of the task(s) of that subject")) {
  addCommand_->add_option("SUBJECT", subject_, "The task's subject")->required();
  addCommand_->add_option("--categories", categories_, "The task's categories");
  addCommand_->add_option("--status", status_, kStatuses)->check(CLI::Range(0, 4));
  listCommand_->add_flag("--all", all_, "List every task, finished ones too");
  listCommand_->add_option(
      "PATTERN", pattern_,
      "Only subjects like this, letter case aside: ? one character, * any run, "
      "# one digit, [a-c] one of a list, [!a-c] one not in it");
  statusCommand_->add_option("SUBJECT", subject_, "The subject, letter case aside")->required();
  statusCommand_->add_option("N", status_, kStatuses)->required()->check(CLI::Range(0, 4));
}

bool TaskCommands::run(CommandContext& context) {
  if (addCommand_->parsed())
    add(context);
  else if (listCommand_->parsed())
    list(context);
  else if (statusCommand_->parsed())
    setStatus(context);
  else
    return false;
  return true;
}

void TaskCommands::add(CommandContext& context) {
  TextArgument::name("SUBJECT", subject_);
  TextArgument::line("--categories", categories_);
  Task task;
  task.subject = subject_;
  task.categories = categories_;
  task.status = static_cast<TaskStatus>(status_);
  context.open(StoreOpener::Access::ReadWrite)->addTask(task);
}

void TaskCommands::list(CommandContext& context) {
  const bool filtered = listCommand_->get_option("PATTERN")->count() > 0;
  TextOutput output = context.output("");
  const auto store = context.open(StoreOpener::Access::ReadOnly);
  for (const Task& task : store->tasks()) {
    if (!all_ && !task.isOpen()) continue;
    if (filtered && !TextLike::matches(task.subject, pattern_)) continue;
    output.write(task.subject + '\t' + task.categories + '\t' +
                 std::to_string(static_cast<int>(task.status)) + '\n');
  }
  output.finish();
}

void TaskCommands::setStatus(CommandContext& context) {
  const std::string key = CaseFold::key(subject_);
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  store->transact([&] {
    bool found = false;
    for (Task& task : store->tasks()) {
      if (CaseFold::key(task.subject) != key) continue;
      task.status = static_cast<TaskStatus>(status_);
      store->updateTask(task);
      found = true;
    }
    if (!found)
      throw std::runtime_error("There is no task " + TerminalText::quoted(subject_) + ".");
  });
}

}  // namespace tw

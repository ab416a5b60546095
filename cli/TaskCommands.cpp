#include "cli/TaskCommands.h"

#include <CLI/CLI.hpp>
#include <array>
#include <cctype>
#include <stdexcept>
#include <vector>

#include "cli/ClientCommands.h"
#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/NumberArgument.h"
#include "cli/TerminalText.h"
#include "cli/TextArgument.h"
#include "cli/UsageError.h"
#include "core/CaseFold.h"
#include "core/EntryRules.h"
#include "core/TextLike.h"

namespace tw {
namespace {

constexpr const char* kStatuses =
    "0 or not-started, 1 or in-progress, 2 or complete, 3 or waiting, 4 or deferred";
constexpr const char* kSubject = "The subject, letter case aside";

// A status by its number or its name (letter case aside, "-", "_" or " " between the words),
// handed on as its number.
CLI::Validator statusArgument() {
  const CLI::Validator number = NumberArgument::decimal(0, 4);
  return CLI::Validator(
      [number](std::string& text) -> std::string {
        std::string key;
        for (const char c : text)
          if (c != '-' && c != '_' && c != ' ') key += static_cast<char>(std::tolower(c));
        const std::array<const char*, 5> names = {"notstarted", "inprogress", "complete", "waiting",
                                                  "deferred"};
        for (std::size_t i = 0; i < names.size(); ++i) {
          if (key != names[i]) continue;
          text = std::to_string(i);
          return {};
        }
        if (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front())))
          return number(text);
        return TerminalText::quoted(text) + " is not a status (" + kStatuses + ")";
      },
      "", "status");
}

}  // namespace

TaskCommands::TaskCommands(CLI::App& task, CommandChoice& choice) {
  addCommands(task, choice);
  const CLI::Validator status = statusArgument();
  add_->add_option("SUBJECT", subject_, "The task's subject")->required();
  list_->add_flag("--all", all_, "List every task, finished ones too");
  list_->add_option("PATTERN", pattern_,
                    "Only subjects like this, letter case aside: ? one character, * any run, "
                    "# one digit, [a-c] one of a list, [!a-c] one not in it");
  for (CLI::App* command : {status_, edit_, rename_, delete_})
    command->add_option("SUBJECT", subject_, kSubject)->required();
  status_->add_option("STATUS", statusValue_, kStatuses)
      ->required()
      ->transform(status)
      ->type_name("N|NAME");
  for (CLI::App* command : {close_, reopen_})
    command->add_option("SUBJECT", subject_, kSubject)->required();
  rename_->add_option("NEW", newSubject_, "The new subject")->required();
  for (CLI::App* command : {add_, edit_}) {
    command->add_option("--categories", categories_, "The task's categories");
    command->add_option("--status", statusValue_, kStatuses)
        ->transform(status)
        ->type_name("N|NAME");
  }
  edit_->add_option("--rate", rate_,
                    "The task's own rate per hour, in its client's currency (none: its client's)");
  edit_->add_option("--billable", billable_, "yes, no or client: whether its time is billed");
  delete_->add_flag("--force", force_,
                    "Delete it also while journal entries refer to it: they stay in the journal, "
                    "no longer tied to a task");
}

void TaskCommands::addCommands(CLI::App& task, CommandChoice& choice) {
  add_ = task.add_subcommand("add", "Add a task");
  list_ = task.add_subcommand("list", "List the open tasks: subject, categories, status");
  status_ = task.add_subcommand("status", "Set the status of the task(s) of that subject");
  edit_ = task.add_subcommand("edit", "Change the categories or status of the task(s)");
  rename_ = task.add_subcommand(
      "rename", "Give the task(s) a new subject; entries already timed keep the subject they have");
  close_ = task.add_subcommand("close", "Set the task(s) complete: the task list leaves them out");
  reopen_ = task.add_subcommand("reopen", "Set a closed task not started: listed again");
  delete_ = task.add_subcommand(
      "delete", "Delete the task(s) of that subject; refused while journal entries refer to it");
  choice.bind(*add_, [this](CommandContext& context) { add(context); });
  choice.bind(*list_, [this](CommandContext& context) { list(context); });
  choice.bind(*status_, [this](CommandContext& context) { setStatus(context); });
  choice.bind(*edit_, [this](CommandContext& context) { edit(context); });
  choice.bind(*rename_, [this](CommandContext& context) { rename(context); });
  choice.bind(*close_, [this](CommandContext& context) { close(context); });
  choice.bind(*reopen_, [this](CommandContext& context) { reopen(context); });
  choice.bind(*delete_, [this](CommandContext& context) { remove(context); });
}

bool TaskCommands::given(const CLI::App& command, const char* option) const {
  return command.get_option(option)->count() > 0;
}

void TaskCommands::checkTask(const char* argument, const std::string& subject) const {
  TextArgument::name(argument, subject);
  TextArgument::line("--categories", categories_);
  const std::string why = EntryRules::whyInvalidTask(subject, categories_);
  if (!why.empty()) throw UsageError(std::string(argument) + ": " + why);
}

void TaskCommands::add(CommandContext& context) {
  checkTask("SUBJECT", subject_);
  Task task;
  task.subject = subject_;
  task.categories = categories_;
  task.status = static_cast<TaskStatus>(statusValue_);
  context.open(StoreOpener::Access::ReadWrite)->addTask(task);
}

void TaskCommands::list(CommandContext& context) {
  const bool filtered = given(*list_, "PATTERN");
  TextOutput output = context.output("");
  const auto store = context.openToRead();
  for (const Task& task : store ? store->tasks() : std::vector<Task>{}) {
    if (!all_ && !task.isOpen()) continue;
    if (filtered && !TextLike::matches(task.subject, pattern_)) continue;
    output.write(TerminalText::field(task.subject) + '\t' + TerminalText::field(task.categories) +
                 '\t' + std::to_string(static_cast<int>(task.status)) + '\n');
  }
  output.finish();
}

void TaskCommands::forEachTask(JournalStore& store, const std::function<void(Task&)>& work) const {
  const std::string key = CaseFold::key(subject_);
  store.transact([&] {
    bool found = false;
    for (Task& task : store.tasks()) {
      if (CaseFold::key(task.subject) != key) continue;
      work(task);
      found = true;
    }
    if (!found) throw CommandError("There is no task " + TerminalText::quoted(subject_) + ".");
  });
}

void TaskCommands::setStatus(CommandContext& context) {
  change(context, {.status = true});
}

void TaskCommands::edit(CommandContext& context) {
  const Changes changes{.status = given(*edit_, "--status"),
                        .categories = given(*edit_, "--categories")};
  if (changes.categories) TextArgument::line("--categories", categories_);
  const bool billing = given(*edit_, "--rate") || given(*edit_, "--billable");
  if (!changes.status && !changes.categories && !billing)
    throw UsageError("task edit needs --categories or --status, or --rate or --billable");
  if (changes.status || changes.categories) change(context, changes);
  if (billing)
    ClientCommands::editTask(context, subject_,
                             given(*edit_, "--rate") ? std::optional(rate_) : std::nullopt,
                             given(*edit_, "--billable") ? std::optional(billable_) : std::nullopt);
}

void TaskCommands::rename(CommandContext& context) {
  checkTask("NEW", newSubject_);
  change(context, {.subject = true});
}

void TaskCommands::close(CommandContext& context) {
  statusValue_ = static_cast<int>(TaskStatus::Complete);
  change(context, {.status = true});
}

void TaskCommands::reopen(CommandContext& context) {
  statusValue_ = static_cast<int>(TaskStatus::NotStarted);
  change(context, {.status = true});
}

void TaskCommands::change(CommandContext& context, Changes changes) {
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  forEachTask(*store, [&](Task& task) {
    if (changes.status) task.status = static_cast<TaskStatus>(statusValue_);
    if (changes.categories) task.categories = categories_;
    if (changes.subject) task.subject = newSubject_;
    store->updateTask(task);
  });
}

// With --force, the entries of the task are kept, their tie to the task cut.
void TaskCommands::remove(CommandContext& context) {
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  forEachTask(*store, [&](Task& task) {
    const std::int64_t entries = store->entriesOfTask(task.id);
    if (entries > 0 && !force_) {
      throw CommandError(std::to_string(entries) + " journal entries refer to the task " +
                         TerminalText::quoted(task.subject) +
                         "; nothing was deleted (--force deletes it, keeping the entries)");
    }
    std::vector<JournalEntry> tied;
    if (entries > 0) {
      store->visitAll([&](const JournalEntry& e) {
        if (e.taskUid == task.uid) tied.push_back(e);
        return true;
      });
    }
    for (JournalEntry& e : tied) {
      e.taskUid.clear();
      store->updateEntry(e);
    }
    store->deleteTask(task.id);
  });
}

}  // namespace tw

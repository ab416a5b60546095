#include "cli/StoreCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/JournalFindings.h"
#include "cli/TerminalText.h"
#include "core/DateText.h"
#include "core/EntryRules.h"
#include "tracking/JournalProblems.h"

namespace tw {

StoreCommands::StoreCommands(CLI::App& app, CommandChoice& choice) {
  CLI::App* backupCommand = app.add_subcommand(
      "backup", "Write a consistent, checked copy of the store to FILE, whole or not at all");
  CLI::App* checkCommand =
      app.add_subcommand("check",
                         "Check the store file and what it holds: prints ok, or what is "
                         "damaged or out of range (exit code 1), or journal entries that "
                         "cannot be billed as they are: overlapping, in the future, a second "
                         "Start Work (exit code 3)");
  CLI::App* recoverCommand =
      app.add_subcommand("recover",
                         "Save what can still be read of a damaged store into a new "
                         "store FILE; the damaged store is left as it is");
  backupCommand->add_option("FILE", file_, "The copy to write")->required();
  recoverCommand->add_option("FILE", file_, "The new store to write")->required();
  choice.bind(*backupCommand, [this](CommandContext& context) { backup(context); });
  choice.bind(*checkCommand, [this](CommandContext& context) { check(context); });
  choice.bind(*recoverCommand, [this](CommandContext& context) { recover(context); });
}

void StoreCommands::backup(CommandContext& context) {
  context.refuseStoreFile(file_);
  context.open(StoreOpener::Access::ReadOnly)->backup(file_);
}

void StoreCommands::recover(CommandContext& context) {
  context.refuseStoreFile(file_);
  const std::string saved = context.recover(file_);
  TextOutput output = context.output("");
  output.write(saved + '\n');
  output.finish();
}

void StoreCommands::check(CommandContext& context) {
  const auto store = context.open(StoreOpener::Access::ReadOnly);
  const std::string result = store->check();
  TextOutput output = context.output("");
  if (result != "ok") {
    output.write(result + '\n');
    output.finish();
    throw CommandError("The store is damaged; `tallyworks --store \"" + context.storePath() +
                       "\" recover NEW-FILE` saves what can still be read into a new store.");
  }
  const long invalid = listInvalidItems(*store, output);
  const long problems = listProblems(*store, context.clock().now(), output);
  if (invalid == 0 && problems == 0) output.write("ok\n");
  output.finish();
  if (invalid > 0)
    throw CommandError(std::to_string(invalid) +
                       " items hold values Tallyworks no longer accepts; change or delete "
                       "them (task rename, journal edit, journal delete).");
  if (problems > 0)
    throw JournalFindings(std::to_string(problems) +
                          " journal entries cannot be billed as they are; correct them in the "
                          "journal window or with journal edit and journal delete.");
}

// entry UID (3/11/2024 9:30:00 AM "Write"): why; the journal read day by day.
long StoreCommands::listProblems(JournalStore& store, Instant now, TextOutput& output) {
  long count = 0;
  JournalProblems::scan(store, std::nullopt, std::nullopt, now,
                        [&](const JournalProblems::Problem& p) {
                          ++count;
                          output.write("entry " + TerminalText::field(p.entry.uid) + " (" +
                                       DateText::generalDate(p.entry.localStart()) + " " +
                                       TerminalText::quoted(p.entry.subject) +
                                       "): " + TerminalText::oneLine(p.why()) + '\n');
                        });
  return count;
}

// task UID: why, and entry UID: why.
long StoreCommands::listInvalidItems(JournalStore& store, TextOutput& output) {
  long count = 0;
  for (const Task& task : store.tasks()) {
    const std::string why = EntryRules::whyInvalidTask(task.subject, task.categories);
    if (why.empty()) continue;
    ++count;
    output.write("task " + TerminalText::field(task.uid) + ": " + why + '\n');
  }
  store.visitAll([&](const JournalEntry& entry) {
    const std::string why = EntryRules::whyInvalid(entry);
    if (!why.empty()) {
      ++count;
      output.write("entry " + TerminalText::field(entry.uid) + ": " + why + '\n');
    }
    return true;
  });
  return count;
}

}  // namespace tw

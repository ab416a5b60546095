#include "cli/sync/SyncCommands.h"

#include <CLI/CLI.hpp>
#include <limits>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/DateArgument.h"
#include "cli/NumberArgument.h"
#include "core/DateText.h"
#include "core/StoreFiles.h"
#include "core/TimeZone.h"
#include "sync/CalendarSync.h"
#include "sync/ConflictCopies.h"
#include "sync/IcalFile.h"
#include "sync/SyncConfig.h"
#include "sync/SyncError.h"
#include "sync/SyncQueue.h"

namespace tw {

SyncCommands::SyncCommands(CLI::App& sync, CLI::App& ical, CommandChoice& choice)
    : export_(ical.add_subcommand("export",
                                  "Write the journal (and with --tasks the tasks) to an "
                                  "iCalendar file, whole or not at all")) {
  CLI::App* importCommand =
      ical.add_subcommand("import",
                          "Add or update tasks (VTODO) and entries (VEVENT, VJOURNAL) "
                          "from an iCalendar file, by UID");
  export_->add_option("FILE", file_, "The .ics file to write, - for standard output")->required();
  export_->add_option("--from", from_, "First day, M/d/yyyy or YYYY-MM-DD");
  export_->add_option("--to", to_, "Last day, M/d/yyyy or YYYY-MM-DD");
  export_->add_flag("--tasks", tasks_, "The tasks too, as VTODOs");
  export_->add_flag("--journal", asJournal_,
                    "Entries as VJOURNALs instead of VEVENTs (few calendar programs show them)");
  importCommand->add_option("FILE", file_, "The .ics file to read")->required();
  CLI::App* conflictsCommand = sync.add_subcommand(
      "conflicts", "List the local versions that lost to the server's where both changed a field");
  const CLI::Validator id = NumberArgument::decimal(1, std::numeric_limits<std::int64_t>::max());
  CLI::Option* restore =
      conflictsCommand->add_option("--restore", restore_, "Take back the version numbered ID")
          ->type_name("ID")
          ->transform(id);
  conflictsCommand->add_option("--dismiss", dismiss_, "Let the version numbered ID go")
      ->type_name("ID")
      ->transform(id)
      ->excludes(restore);
  CLI::App* queueCommand = sync.add_subcommand(
      "queue", "List the changes waiting to be sent, and why the server refused some");
  CLI::Option* retry =
      queueCommand
          ->add_option("--retry", retry_, "Send the change of the item UID with the next sync")
          ->type_name("UID");
  queueCommand
      ->add_option("--drop", drop_,
                   "Give up the change of the item UID: the server's version stands (a new "
                   "item stays here only)")
      ->type_name("UID")
      ->excludes(retry);
  choice.bind(*conflictsCommand, [this](CommandContext& context) { conflicts(context); });
  choice.bind(*queueCommand, [this](CommandContext& context) { queue(context); });
  choice.bind(sync, [this](CommandContext& context) { synchronise(context); });
  choice.bind(*export_, [this](CommandContext& context) { exportFile(context); });
  choice.bind(*importCommand, [this](CommandContext& context) { importFile(context); });
}

void SyncCommands::synchronise(CommandContext& context) {
  const std::string configPath = SyncConfig::defaultPath();
  const std::optional<SyncConfig> config = SyncConfig::load(configPath);
  if (!config) {
    throw CommandError(
        "No server to synchronise with: set the calendar account up in the window's "
        "Preferences, or write its url (and username) in [server] of " +
        configPath + " (see man tallyworks).");
  }
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  const auto state = context.syncState(*store);
  CalendarSync::Options options;
  options.clock = &context.clock();
  const SyncResult result = CalendarSync(*store, *state, *config, options).run();
  TextOutput output = context.output("");
  output.write(result.summary() + '\n');
  for (const SyncResult::Problem& p : result.problems) output.write("  " + p.text() + '\n');
  output.finish();
  if (result.failed > 0)
    throw SyncError("The server refused " + std::to_string(result.failed) +
                    " changes; they wait in the queue (tallyworks sync queue).");
}

namespace {

std::string verbText(const SyncQueue::Waiting& w) {
  if (w.hereOnly) return "kept here only";
  switch (w.verb) {
    case PendingChanges::Verb::Create:
      return "new";
    case PendingChanges::Verb::Change:
      return "changed";
    case PendingChanges::Verb::Delete:
      return "deleted";
  }
  return {};
}

}  // namespace

// One line per change, and one more for a refused one or an item kept here only:
//   0b6c...  changed  journal entry “Layout” of 6/3/2024 9:00:00 AM
//        refused 6/3/2024 9:05:00 AM (HTTP 403): valid-calendar-data: DTEND must ...
void SyncCommands::queue(CommandContext& context) {
  const bool changing = !retry_.empty() || !drop_.empty();
  const auto store =
      context.open(changing ? StoreOpener::Access::ReadWrite : StoreOpener::Access::ReadOnly);
  SyncQueue waiting(*store, context.syncState(*store), context.clock());
  if (!retry_.empty()) waiting.retry(retry_);
  if (!drop_.empty()) waiting.drop(drop_);
  if (changing) return;
  TextOutput output = context.output("");
  for (const SyncQueue::Waiting& w : waiting.list()) {
    output.write(w.uid + "  " + verbText(w) + "  " + w.what + '\n');
    const std::string since = DateText::generalDate(TimeZone::toLocal(w.since));
    if (w.held)
      output.write("     refused " + since + " (HTTP " + std::to_string(w.status) + ")" +
                   (w.reason.empty() ? "" : ": " + w.reason) + '\n');
    if (w.hereOnly) output.write("     since " + since + ": " + w.reason + '\n');
  }
  output.finish();
}

// One line per copy, then one per field both sides changed:
//   3  12/6/2026 7:12:00 PM  task "Write"
//        subject: yours "Laptop", now "Desktop"
void SyncCommands::conflicts(CommandContext& context) {
  const bool changing = restore_ != 0 || dismiss_ != 0;
  const auto store =
      context.open(changing ? StoreOpener::Access::ReadWrite : StoreOpener::Access::ReadOnly);
  ConflictCopies copies(*store, context.syncState(*store));
  if (restore_ != 0) copies.restore(restore_);
  if (dismiss_ != 0) copies.dismiss(dismiss_);
  if (changing) return;
  TextOutput output = context.output("");
  for (const ConflictCopies::Copy& copy : copies.list()) {
    output.write(std::to_string(copy.id) + "  " +
                 DateText::generalDate(TimeZone::toLocal(copy.saved)) + "  " + copy.noun + " \"" +
                 copy.subject + "\"" + (copy.gone ? " (deleted here)" : "") + '\n');
    for (const ConflictCopies::Difference& d : copy.differences)
      output.write("     " + d.field + ": yours \"" + d.mine + "\", now \"" + d.now + "\"\n");
  }
  output.finish();
}

void SyncCommands::exportFile(CommandContext& context) {
  IcalFile::ExportOptions options;
  options.tasks = tasks_;
  options.asJournal = asJournal_;
  const auto [first, last] =
      DateArgument::dayRange(export_->get_option("--from")->count() > 0 ? &from_ : nullptr,
                             export_->get_option("--to")->count() > 0 ? &to_ : nullptr);
  options.firstDay = first;
  options.lastDay = last;
  TextOutput file = context.output(file_);
  const auto store = context.open(StoreOpener::Access::ReadOnly);
  const IcalFile::Export exported = IcalFile::compose(*store, *context.syncState(*store), options);
  file.write(exported.text);
  file.finish();
  // Standard output holds the calendar alone.
  if (file_ == "-" || StoreFiles::sameFile(file_, "/dev/stdout")) return;
  TextOutput output = context.output("");
  output.write("wrote " + std::to_string(exported.items) + " items\n");
  output.finish();
}

void SyncCommands::importFile(CommandContext& context) {
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  const auto state = context.syncState(*store);
  const IcalFile::ImportResult result = IcalFile::read(*store, *state, file_);
  TextOutput output = context.output("");
  output.write(result.summary() + '\n');
  output.finish();
}

}  // namespace tw

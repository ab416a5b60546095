#include "cli/sync/SyncCommands.h"

#include <CLI/CLI.hpp>
#include <stdexcept>

#include "cli/CommandContext.h"
#include "cli/DateArgument.h"
#include "core/DateText.h"
#include "core/TimeZone.h"
#include "sync/CalendarSync.h"
#include "sync/ConflictCopies.h"
#include "sync/IcalFile.h"
#include "sync/SyncConfig.h"

namespace tw {

SyncCommands::SyncCommands(CLI::App& sync, CLI::App& ical)
    : sync_(&sync),
      export_(ical.add_subcommand("export",
                                  "Write the journal (and with --tasks the tasks) to an "
                                  "iCalendar file, whole or not at all")),
      import_(ical.add_subcommand("import",
                                  "Add or update tasks (VTODO) and entries (VEVENT, VJOURNAL) "
                                  "from an iCalendar file, by UID")) {
  export_->add_option("FILE", file_, "The .ics file to write")->required();
  export_->add_option("--from", from_, "First day, M/d/yyyy or YYYY-MM-DD");
  export_->add_option("--to", to_, "Last day, M/d/yyyy or YYYY-MM-DD");
  export_->add_flag("--tasks", tasks_, "The tasks too, as VTODOs");
  export_->add_flag("--journal", asJournal_,
                    "Entries as VJOURNALs instead of VEVENTs (few calendar programs show them)");
  import_->add_option("FILE", file_, "The .ics file to read")->required();
  conflicts_ = sync_->add_subcommand(
      "conflicts", "List the local versions that lost to the server's where both changed a field");
  CLI::Option* restore =
      conflicts_->add_option("--restore", restore_, "Take back the version numbered ID")
          ->type_name("ID");
  conflicts_->add_option("--dismiss", dismiss_, "Let the version numbered ID go")
      ->type_name("ID")
      ->excludes(restore);
}

bool SyncCommands::run(CommandContext& context) {
  if (conflicts_->parsed())
    conflicts(context);
  else if (sync_->parsed())
    synchronise(context);
  else if (export_->parsed())
    exportFile(context);
  else if (import_->parsed())
    importFile(context);
  else
    return false;
  return true;
}

void SyncCommands::synchronise(CommandContext& context) {
  const std::string configPath = SyncConfig::defaultPath();
  const std::optional<SyncConfig> config = SyncConfig::load(configPath);
  if (!config) {
    throw std::runtime_error("No server to synchronise with: write its url (and username) in " +
                             configPath + " (see man tallyworks).");
  }
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  const auto state = context.syncState(*store);
  const SyncResult result = CalendarSync(*store, *state, *config).run();
  TextOutput output = context.output("");
  output.write(result.summary() + '\n');
  output.finish();
  if (result.failed > 0)
    throw std::runtime_error("The server refused some changes; they stay queued.");
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
  if (first) options.from = TimeZone::fromLocal(*first);
  if (last) options.until = TimeZone::fromLocal(last->addDays(1));
  context.refuseStoreFile(file_);
  const auto store = context.open(StoreOpener::Access::ReadOnly);
  const auto state = context.syncState(*store);
  const int written = IcalFile::write(*store, *state, file_, options);
  TextOutput output = context.output("");
  output.write("wrote " + std::to_string(written) + " items\n");
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

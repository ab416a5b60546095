#include "cli/JournalEditCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/DateArgument.h"
#include "cli/FlaggedEntries.h"
#include "cli/NumberArgument.h"
#include "cli/TerminalText.h"
#include "cli/TextArgument.h"
#include "cli/UsageError.h"
#include "core/DateText.h"
#include "core/EntryRules.h"
#include "tracking/JournalEditor.h"

namespace tw {
namespace {

JournalEntry entryOf(JournalStore& store, const std::string& uid) {
  std::optional<JournalEntry> entry = store.entryByUid(uid);
  if (!entry) throw CommandError("There is no journal entry " + TerminalText::quoted(uid) + ".");
  return *entry;
}

// Texts escaped, so that a line is one entry; a start out of range shows as it reads.
std::string lineOf(const JournalEntry& e) {
  return TerminalText::field(e.uid) + '\t' + DateText::isoOfAny(e.start.localSeconds(e.utcOffset)) +
         '\t' + std::to_string(e.minutes()) + '\t' + TerminalText::field(e.subject) + '\t' +
         TerminalText::field(e.categories) + '\t' + TerminalText::field(e.type) + '\n';
}

}  // namespace

JournalEditCommands::JournalEditCommands(CLI::App& journal, CommandChoice& choice)
    : list_(journal.add_subcommand("list",
                                   "List the entries in start order: uid, local start, "
                                   "minutes, subject, categories, type (tab-separated)")),
      add_(journal.add_subcommand("add",
                                  "Add an entry of an open task after the fact; prints "
                                  "its uid")),
      edit_(journal.add_subcommand("edit", "Change an entry")),
      delete_(journal.add_subcommand("delete", "Delete an entry (not while it is timed)")) {
  list_->add_option("--from", from_, "First day of the starts, M/d/yyyy or YYYY-MM-DD");
  list_->add_option("--to", to_, "Last day of the starts, M/d/yyyy or YYYY-MM-DD");
  for (CLI::App* command : {edit_, delete_})
    command->add_option("UID", uid_, "The entry's uid (see journal list)")->required();
  const CLI::Validator length = NumberArgument::decimal(0, EntryRules::kMostMinutes);
  for (CLI::App* command : {add_, edit_}) {
    const bool adding = command == add_;
    CLI::Option* subject = command->add_option(
        "--subject", subject_, adding ? "The open task's subject, letter case aside" : "Subject");
    CLI::Option* start = command->add_option(
        "--start", start_, "Local start: M/d/yyyy h:mm [AM|PM] or YYYY-MM-DDTHH:MM[:SS][+HH:MM]");
    CLI::Option* minutes = command->add_option("--minutes", minutes_, "Length in minutes");
    minutes->transform(length);
    command->add_option("--categories", categories_,
                        adding ? "Categories (the task's when absent)" : "Categories");
    command->add_option("--body", body_, "Notes");
    if (adding) {
      subject->required();
      start->required();
      minutes->required();
    }
  }
  choice.bind(*list_, [this](CommandContext& context) { list(context); });
  choice.bind(*add_, [this](CommandContext& context) { add(context); });
  choice.bind(*edit_, [this](CommandContext& context) { edit(context); });
  choice.bind(*delete_, [this](CommandContext& context) { remove(context); });
}

bool JournalEditCommands::given(const CLI::App& command, const char* option) const {
  return command.get_option(option)->count() > 0;
}

void JournalEditCommands::checkValues(const CLI::App& command) {
  if (given(command, "--subject")) TextArgument::name("--subject", subject_);
  if (given(command, "--categories")) TextArgument::line("--categories", categories_);
  if (given(command, "--body")) TextArgument::notes("--body", body_);
  if (given(command, "--start")) startTime_ = DateArgument::zonedMoment("--start", start_);
}

// What the entry would hold, before the store is touched.
void JournalEditCommands::checkEntry(const JournalEntry& entry) {
  const std::string why = EntryRules::whyInvalid(entry);
  if (!why.empty()) throw UsageError("The entry cannot be stored: " + why + ".");
}

void JournalEditCommands::list(CommandContext& context) {
  const DateArgument::DayRange days = DateArgument::dayRange(
      given(*list_, "--from") ? &from_ : nullptr, given(*list_, "--to") ? &to_ : nullptr);
  TextOutput output = context.output("");
  FlaggedEntries flagged;
  if (const auto store = context.openToRead()) {
    store->readDays(days.first, days.last, [&](JournalStore::EntryBatch batch) {
      for (const JournalEntry& e : batch) {
        flagged.note(e);
        output.write(lineOf(e));
      }
    });
  }
  output.finish();
  flagged.warn(context);
}

void JournalEditCommands::add(CommandContext& context) {
  checkValues(*add_);
  JournalEntry wanted = JournalEditor::placed(JournalEntry{}, startTime_.local, startTime_.offset);
  wanted.subject = subject_;
  applyValues(*add_, wanted);
  checkEntry(wanted);
  // The entry's type comes from the settings: a value they hold wrongly is said, not passed over.
  context.settings();
  TextOutput output = context.output("");
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  JournalEditor editor(*store, EntryTypeRule());
  JournalEntry entry;
  store->transact([&] {
    entry = editor.add(subject_, JournalEditor::placed({}, startTime_.local, startTime_.offset),
                       minutes_ * 60);
    if (given(*add_, "--categories")) entry.categories = categories_;
    entry.body = body_;
    editor.change(entry);
  });
  output.write(entry.uid + '\n');
  output.finish();
}

void JournalEditCommands::applyValues(const CLI::App& command, JournalEntry& entry) const {
  if (given(command, "--subject")) entry.subject = subject_;
  if (given(command, "--categories")) entry.categories = categories_;
  if (given(command, "--body")) entry.body = body_;
  if (given(command, "--minutes")) entry.seconds = minutes_ * 60;
  if (given(command, "--start"))
    entry = JournalEditor::placed(entry, startTime_.local, startTime_.offset);
}

void JournalEditCommands::edit(CommandContext& context) {
  checkValues(*edit_);
  const bool changes = given(*edit_, "--subject") || given(*edit_, "--start") ||
                       given(*edit_, "--minutes") || given(*edit_, "--categories") ||
                       given(*edit_, "--body");
  if (!changes)
    throw UsageError("journal edit needs something to change (see journal edit --help)");
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  JournalEditor editor(*store, EntryTypeRule());
  store->transact([&] {
    JournalEntry entry = entryOf(*store, uid_);
    if (given(*edit_, "--minutes") && store->timer().entryId == entry.id)
      throw CommandError("The entry is being timed; pause or stop before changing its length.");
    applyValues(*edit_, entry);
    checkEntry(entry);
    if (given(*edit_, "--start")) JournalEditor::refuseMarkerAhead(entry, context.clock().now());
    editor.change(entry);
  });
}

void JournalEditCommands::remove(CommandContext& context) {
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  JournalEditor editor(*store, EntryTypeRule());
  store->transact([&] { editor.remove(entryOf(*store, uid_).id); });
}

}  // namespace tw

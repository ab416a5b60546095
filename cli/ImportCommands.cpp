#include "cli/ImportCommands.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "core/FileError.h"
#include "core/FormatError.h"
#include "import/CsvReader.h"
#include "import/GtimelogReader.h"
#include "import/HamsterReader.h"
#include "import/ImportError.h"
#include "import/Importer.h"
#include "import/TimewarriorReader.h"
#include "tracking/EntryTypeRule.h"

namespace tw {
namespace {

constexpr const char* kNothingImported = "; nothing was imported.";

// The text of the file (or standard input) handed to the reader.
ForeignJournal readText(CommandContext& context, const std::string& file,
                        const ImportCommands::Reader& reader) {
  if (file == "-") {
    InputText input(context.in(), "standard input");
    return reader(input);
  }
  std::ifstream in(file, std::ios::binary);
  const int error = !in ? errno : std::filesystem::is_directory(file) ? EISDIR : 0;
  if (error != 0)
    throw FileError("The file " + TerminalText::quoted(file) +
                    " cannot be read: " + std::strerror(error) + kNothingImported);
  InputText input(in, "the file " + TerminalText::quoted(file));
  return reader(input);
}

}  // namespace

ImportCommands::ImportCommands(CLI::App& app, CommandChoice& choice, Reader ktimetracker)
    : ktimetracker_(std::move(ktimetracker)) {
  CLI::App* importCommand = app.add_subcommand(
      "import",
      "Take in the journal of another time tracker: Timewarrior (timew export), "
      "KTimeTracker (.ics), Hamster (hamster.db), gtimelog (timelog.txt) or a CSV export of "
      "a web tracker. All or nothing; importing the same file again changes nothing");
  importCommand->add_option("--from", from_, "The program the file comes from")
      ->required()
      ->check(CLI::IsMember({"timewarrior", "ktimetracker", "hamster", "gtimelog", "csv"}));
  importCommand
      ->add_option("FILE", file_, "The file to read, - for standard input (not for hamster)")
      ->required();
  importCommand->add_flag("--dry-run", dryRun_,
                          "Only show what the import would do: counts per task and category, the "
                          "first and last day, what is skipped and why");
  importCommand->add_option(
      "--column", columns_,
      "csv: the column of a field, FIELD=HEADER (fields: " + CsvColumns::fieldNames() + ")");
  choice.bind(*importCommand, [this](CommandContext& context) { importJournal(context); });
}

void ImportCommands::importJournal(CommandContext& context) {
  if (!columns_.empty() && from_ != "csv") throw UsageError("--column is only for --from csv");
  if (file_ == "-" && from_ == "hamster")
    throw UsageError("a Hamster database is read from its file, not from standard input");
  ForeignJournal journal;
  try {
    journal = read(context);
  } catch (const ImportError& e) {
    throw ImportError(e.what() + std::string(kNothingImported));
  }
  std::unique_ptr<JournalStore> store =
      dryRun_ ? context.openToRead() : context.open(StoreOpener::Access::ReadWrite);
  std::unique_ptr<ImportLedger> ledger = store ? context.importLedger(*store) : nullptr;
  Importer::Options options;
  options.dryRun = dryRun_;
  options.now = context.clock().now();
  options.entryType = EntryTypeRule().taskEntryType();
  ImportSummary summary;
  try {
    summary = Importer(store.get(), ledger.get(), options).run(std::move(journal));
  } catch (const ImportError& e) {
    throw ImportError(e.what() + std::string(kNothingImported));
  }
  TextOutput output = context.output("");
  output.write(summary.text());
  output.finish();
}

ForeignJournal ImportCommands::read(CommandContext& context) const {
  if (from_ == "timewarrior") return readText(context, file_, TimewarriorReader::read);
  if (from_ == "gtimelog") return readText(context, file_, GtimelogReader::read);
  if (from_ == "ktimetracker") {
    if (!ktimetracker_)
      throw CommandError("import --from ktimetracker runs in tallyworks-sync, not here");
    return readText(context, file_, ktimetracker_);
  }
  if (from_ == "hamster") {
    const std::unique_ptr<HamsterFacts> facts = context.openHamster(file_);
    return HamsterReader::read(*facts);
  }
  CsvColumns::Choices choices;
  try {
    choices = CsvColumns::choicesOf(columns_);
  } catch (const FormatError& e) {
    throw UsageError(std::string("--column: ") + e.what());
  }
  return readText(context, file_,
                  [&choices](InputText& input) { return CsvReader::read(input, choices); });
}

}  // namespace tw

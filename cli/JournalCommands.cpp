#include "cli/JournalCommands.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/FlaggedEntries.h"
#include "cli/TerminalText.h"
#include "core/ErrnoText.h"
#include "core/FileError.h"
#include "core/FormatError.h"
#include "core/JournalLines.h"

namespace tw {
namespace {

constexpr const char* kNothing = "; nothing was imported.";
// A line holds one entry: its notes (at most 1 MiB) written out as JSON escapes, and the rest.
constexpr std::size_t kLongestLine = 8 << 20;

bool blank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

JournalCommands::JournalCommands(CLI::App& journal, CommandChoice& choice) {
  CLI::App* importCommand = journal.add_subcommand(
      "import",
      "Add the entries of a JSON Lines file (- for standard input); an entry of a "
      "uid already stored is updated instead. All or nothing");
  CLI::App* exportCommand =
      journal.add_subcommand("export", "Write every journal entry as JSON Lines");
  importCommand->add_option("FILE", file_, "The file to read, - for standard input")->required();
  exportCommand->add_option(
      "FILE", file_, "The file to write, whole or not at all (standard output when absent or -)");
  choice.bind(*importCommand, [this](CommandContext& context) { importLines(context); });
  choice.bind(*exportCommand, [this](CommandContext& context) { exportLines(context); });
}

void JournalCommands::importLines(CommandContext& context) {
  std::vector<JournalEntry> entries;
  if (file_ == "-") {
    entries = readLines(context.in());
  } else {
    std::ifstream file(file_, std::ios::binary);
    // A folder opens as a file that reads as empty.
    const int error = !file ? errno : std::filesystem::is_directory(file_) ? EISDIR : 0;
    if (error != 0) {
      throw FileError("The file " + TerminalText::quoted(file_) +
                      " cannot be read: " + ErrnoText::of(error) + kNothing);
    }
    entries = readLines(file);
  }
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  store->transact([&] {
    for (JournalEntry& entry : entries) store->importEntry(std::move(entry));
  });
}

std::vector<JournalEntry> JournalCommands::readLines(std::istream& lines) const {
  std::vector<JournalEntry> entries;
  std::vector<char> buffer(kLongestLine + 2);
  for (long number = 1;; ++number) {
    lines.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(lines.gcount());
    if (lines.fail() && !lines.eof() && got + 1 == buffer.size())
      throw CommandError("line " + std::to_string(number) + " is longer than " +
                         std::to_string(kLongestLine >> 20) + " MiB" + kNothing);
    if (lines.fail() && (got == 0 || !lines.eof())) break;
    std::string_view line(buffer.data(), lines.eof() ? got : got - 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    try {
      if (!blank(line)) entries.push_back(JournalLines::parse(line));
    } catch (const FormatError& e) {
      throw CommandError("line " + std::to_string(number) + ": " + e.what() + kNothing);
    }
    if (lines.eof()) break;
  }
  if (lines.bad()) {
    const std::string source = file_ == "-" ? "standard input" : TerminalText::quoted(file_);
    throw CommandError("Reading " + source + " failed" + kNothing);
  }
  return entries;
}

void JournalCommands::exportLines(CommandContext& context) {
  TextOutput output = context.output(file_);
  FlaggedEntries flagged;
  if (const auto store = context.openToRead()) {
    store->visitAll([&](const JournalEntry& entry) {
      flagged.note(entry);
      output.write(JournalLines::format(entry) + '\n');
      return true;
    });
  }
  output.finish();
  flagged.warn(context);
}

}  // namespace tw

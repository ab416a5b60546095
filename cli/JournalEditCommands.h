#pragma once

#include <cstdint>
#include <string>

#include "cli/CommandGroup.h"
#include "cli/DateArgument.h"
#include "core/JournalEntry.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// journal list | add | edit | delete: the journal entries one by one, by their uid.
class JournalEditCommands : public CommandGroup {
 public:
  JournalEditCommands(CLI::App& journal, CommandChoice& choice);

 private:
  void list(CommandContext& context);
  void add(CommandContext& context);
  void edit(CommandContext& context);
  void remove(CommandContext& context);
  // Checks the values given to add or edit; throws UsageError.
  void checkValues(const CLI::App& command);
  static void checkEntry(const JournalEntry& entry);
  bool given(const CLI::App& command, const char* option) const;
  // Applies the values given to edit.
  void applyValues(const CLI::App& command, JournalEntry& entry) const;

  CLI::App* list_;
  CLI::App* add_;
  CLI::App* edit_;
  CLI::App* delete_;
  std::string uid_, from_, to_, subject_, start_, categories_, body_;
  std::int64_t minutes_ = 0;
  DateArgument::Zoned startTime_;
};

}  // namespace tw

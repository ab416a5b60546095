#pragma once

#include <cstdint>
#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// sync, sync conflicts [--restore ID | --dismiss ID], sync queue [--retry UID | --drop UID],
// ical export FILE [--from DAY] [--to DAY] [--tasks] [--journal] and ical import FILE: the
// store with a CalDAV server (configured in sync.ini) and with iCalendar files. Made on the
// parser's commands sync and ical.
class SyncCommands : public CommandGroup {
 public:
  SyncCommands(CLI::App& sync, CLI::App& ical, CommandChoice& choice);

 private:
  void synchronise(CommandContext& context);
  void conflicts(CommandContext& context);
  void queue(CommandContext& context);
  void exportFile(CommandContext& context);
  void importFile(CommandContext& context);

  CLI::App* export_;
  std::string file_, from_, to_;
  bool tasks_ = false;
  bool asJournal_ = false;
  std::int64_t restore_ = 0, dismiss_ = 0;
  std::string retry_, drop_;
};

}  // namespace tw

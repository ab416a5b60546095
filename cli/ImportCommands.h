#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/CommandGroup.h"
#include "import/ForeignJournal.h"
#include "import/InputText.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// import --from SOURCE FILE|- [--dry-run] [--column FIELD=HEADER ...]: the journal of another
// time tracker into the store, all or nothing (Importer). The file is read and checked whole
// before the store is opened; a dry run opens the store only to read.
class ImportCommands : public CommandGroup {
 public:
  using Reader = std::function<ForeignJournal(InputText&)>;

  // ktimetracker: the reader of KTimeTracker's files (libical), given only by tallyworks-sync;
  // without it --from ktimetracker fails.
  ImportCommands(CLI::App& app, CommandChoice& choice, Reader ktimetracker);

 private:
  void importJournal(CommandContext& context);
  ForeignJournal read(CommandContext& context) const;

  Reader ktimetracker_;
  std::string from_;
  std::string file_;
  bool dryRun_ = false;
  std::vector<std::string> columns_;
};

}  // namespace tw

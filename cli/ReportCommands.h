#pragma once

#include <functional>
#include <string>

#include "cli/CommandGroup.h"
#include "report/ReportSink.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;
class JournalStore;
class ReportRequest;

// report [--from DAY] [--to DAY] [--category TEXT] [--output FILE] and
// csv --from DAY --to DAY [--category TEXT] [--output FILE]: the store read, never changed.
class ReportCommands : public CommandGroup {
 public:
  ReportCommands(CLI::App& app, CommandChoice& choice);

 private:
  // Writes a report of the store (null when its file does not exist yet) and the request to out.
  using Compose =
      std::function<void(JournalStore* store, const ReportRequest& wanted, const ReportSink& out)>;

  ReportRequest request(const CLI::App& command) const;
  // Writes the report compose makes of the store and the request command gives.
  void write(CommandContext& context, const CLI::App& command, const Compose& compose) const;

  CLI::App* report_;
  CLI::App* csv_;
  std::string from_, to_, category_, output_;
};

}  // namespace tw

#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace tw {

class ReportRequest;

// report [--from DAY] [--to DAY] [--category TEXT] [--output FILE] and
// csv --from DAY --to DAY [--category TEXT] [--output FILE]: the store read, never changed.
class ReportCommands : public CommandGroup {
 public:
  explicit ReportCommands(CLI::App& app);
  bool run(CommandContext& context) override;

 private:
  ReportRequest request(const CLI::App& command) const;

  CLI::App* report_;
  CLI::App* csv_;
  std::string from_, to_, category_, output_;
};

}  // namespace tw

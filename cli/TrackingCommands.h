#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class TrackingSession;

// start SUBJECT | pause | stop | last | status: timing work as the window does, with the same
// markers. The timer is kept in the store, so it runs on after the command ends (until a
// command or a window stops it), and a start replaces what another process times, saving it.
class TrackingCommands : public CommandGroup {
 public:
  explicit TrackingCommands(CLI::App& app);
  bool run(CommandContext& context) override;

 private:
  void track(CommandContext& context);
  void showStatus(CommandContext& context);
  static std::string timedText(const TrackingSession& session);

  CLI::App* start_;
  CLI::App* pause_;
  CLI::App* stop_;
  CLI::App* last_;
  CLI::App* status_;
  std::string subject_;
};

}  // namespace tw

#pragma once

#include <functional>
#include <string>

#include "cli/CommandGroup.h"
#include "tracking/TrackingSession.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// start SUBJECT | pause | stop | last | status: timing work as the window does, with the same
// markers. The timer is kept in the store, so it runs on after the command ends (until a
// command or a window stops it), and a start replaces what another process times, saving it.
class TrackingCommands : public CommandGroup {
 public:
  TrackingCommands(CLI::App& app, CommandChoice& choice);

 private:
  // One step of timing: changes the session, given the task it timed before ("" for none) and
  // whether the working day was open, and returns the line that says what it did.
  using Step =
      std::function<std::string(TrackingSession& session, const std::string& timed, bool dayOpen)>;

  void start(CommandContext& context);
  void last(CommandContext& context);
  void pause(CommandContext& context);
  void stop(CommandContext& context);
  void stopAtSave(CommandContext& context);
  void track(CommandContext& context, const Step& step);
  void showStatus(CommandContext& context);
  static std::string timedText(const TrackingSession& session);
  static std::string unfinishedText(const TrackingSession::Status& now,
                                    const CommandContext& context);

  std::string subject_;
  bool atSave_ = false;
};

}  // namespace tw

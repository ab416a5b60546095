#include "cli/TrackingCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/TextArgument.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

TrackingSession sessionOn(JournalStore& store, const CommandContext& context) {
  TrackingSession session(store, context.clock(), ProcessIdentity::detached(), EntryTypeRule());
  session.reloadTasks();
  session.attach();
  return session;
}

}  // namespace

TrackingCommands::TrackingCommands(CLI::App& app)
    : start_(app.add_subcommand("start",
                                "Start timing an open task (and the working day, with "
                                "a Start Work marker, when it is not open)")),
      pause_(app.add_subcommand("pause", "Stop timing; the working day stays open")),
      stop_(app.add_subcommand("stop",
                               "Stop timing and close the working day with a Stop "
                               "Work marker (says so when neither was open)")),
      last_(app.add_subcommand("last",
                               "Start timing the task of the newest journal entry "
                               "that names an open task, and print its subject")),
      status_(app.add_subcommand("status",
                                 "Print the task being timed, its categories and "
                                 "minutes (tab-separated), or Stopped")) {
  start_->add_option("SUBJECT", subject_, "The open task's subject, letter case aside")->required();
}

bool TrackingCommands::run(CommandContext& context) {
  if (status_->parsed())
    showStatus(context);
  else if (start_->parsed() || pause_->parsed() || stop_->parsed() || last_->parsed())
    track(context);
  else
    return false;
  return true;
}

void TrackingCommands::track(CommandContext& context) {
  if (start_->parsed()) TextArgument::name("SUBJECT", subject_);
  TextOutput output = context.output("");
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  TrackingSession session = sessionOn(*store, context);
  if (start_->parsed()) {
    session.start(subject_);
  } else if (pause_->parsed()) {
    if (!session.pause()) output.write("Nothing was being timed; nothing was written.\n");
  } else if (stop_->parsed()) {
    if (!session.stop())
      output.write("Nothing was being timed and no working day was open; nothing was written.\n");
  } else {
    const std::optional<Task> last = session.lastTask();
    if (!last) throw CommandError("No journal entry names an open task.");
    session.start(last->subject);
    output.write(last->subject + '\n');
  }
  output.finish();
}

void TrackingCommands::showStatus(CommandContext& context) {
  TextOutput output = context.output("");
  const auto store = context.openToRead();
  const TrackingSession::Status now =
      store ? sessionOn(*store, context).status() : TrackingSession::Status{};
  if (now.state == TrackingSession::State::Tracking)
    output.write(now.subject + '\t' + now.categories + '\t' + std::to_string(now.minutes) + '\n');
  else
    output.write("Stopped\n");
  output.finish();
}

}  // namespace tw

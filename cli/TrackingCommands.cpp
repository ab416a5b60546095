#include "cli/TrackingCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/TextArgument.h"
#include "core/DateText.h"
#include "core/TimeZone.h"
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
                               "that names an open task")),
      status_(app.add_subcommand("status",
                                 "Print the task being timed, its categories and "
                                 "minutes (tab-separated), or Paused with the task "
                                 "and since when, or Stopped")) {
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

// Each step prints one line saying what it did, at the time of day it did it.
void TrackingCommands::track(CommandContext& context) {
  if (start_->parsed()) TextArgument::name("SUBJECT", subject_);
  TextOutput output = context.output("");
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  TrackingSession session = sessionOn(*store, context);
  const std::string timed = timedText(session);
  const bool dayOpen = session.workOpen();
  const auto at = [&] {
    return " at " + DateText::longTime(TimeZone::toLocal(context.clock().now()));
  };
  if (start_->parsed() || last_->parsed()) {
    const std::optional<Task> last = start_->parsed() ? std::nullopt : session.lastTask();
    if (last_->parsed() && !last) throw CommandError("No journal entry names an open task.");
    const std::string subject = last ? last->subject : subject_;
    session.start(subject);
    output.write((last ? "Resumed " : "Started ") + session.held()->subject + at() +
                 (timed.empty() ? "" : "; stopped " + timed) +
                 (dayOpen ? "" : "; the working day began") + ".\n");
  } else if (pause_->parsed()) {
    output.write(session.pause() ? "Paused " + timed + at() + "; the working day stays open.\n"
                                 : "Nothing was being timed; nothing was written.\n");
  } else if (!session.stop()) {
    output.write("Nothing was being timed and no working day was open; nothing was written.\n");
  } else {
    output.write((timed.empty() ? "Closed the working day" : "Stopped " + timed) + at() +
                 (timed.empty() ? " (nothing was being timed).\n" : "; the working day ended.\n"));
  }
  output.finish();
}

// "Write (5 min)": the task being timed and its minutes; empty when nothing is timed.
std::string TrackingCommands::timedText(const TrackingSession& session) {
  if (!session.tracking()) return "";
  const TrackingSession::Status now = session.status();
  return now.subject + " (" + std::to_string(now.minutes) + " min)";
}

// The task being timed, its categories and minutes, tab-separated; "Paused" with the task
// paused and since when; or "Stopped".
void TrackingCommands::showStatus(CommandContext& context) {
  TextOutput output = context.output("");
  const auto store = context.openToRead();
  const TrackingSession::Status now =
      store ? sessionOn(*store, context).status() : TrackingSession::Status{};
  if (now.state == TrackingSession::State::Tracking) {
    output.write(now.subject + '\t' + now.categories + '\t' + std::to_string(now.minutes) + '\n');
  } else if (now.state == TrackingSession::State::Paused) {
    const DateTime since = TimeZone::toLocal(now.since);
    const bool today = since.date() == TimeZone::toLocal(context.clock().now()).date();
    output.write("Paused" + (now.subject.empty() ? "" : ": " + now.subject) + " since " +
                 (today ? DateText::longTime(since) : DateText::generalDate(since)) + '\n');
  } else {
    output.write("Stopped\n");
  }
  output.finish();
}

}  // namespace tw

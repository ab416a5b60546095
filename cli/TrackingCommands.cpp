#include "cli/TrackingCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/CommandError.h"
#include "cli/TerminalText.h"
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

// " at 9:05:00 AM": the time of day now.
std::string atNow(const CommandContext& context) {
  return " at " + DateText::longTime(TimeZone::toLocal(context.clock().now()));
}

// The line of a start (word "Started ") or a resumption ("Resumed "), after it.
std::string begun(const char* word, const TrackingSession& session, const std::string& timed,
                  bool dayOpen, const CommandContext& context) {
  return word + session.held()->subject + atNow(context) +
         (timed.empty() ? "" : "; stopped " + timed) + (dayOpen ? "" : "; the working day began") +
         ".\n";
}

}  // namespace

TrackingCommands::TrackingCommands(CLI::App& app, CommandChoice& choice) {
  CLI::App* startCommand =
      app.add_subcommand("start",
                         "Start timing an open task (and the working day, with "
                         "a Start Work marker, when it is not open)");
  CLI::App* pauseCommand = app.add_subcommand("pause", "Stop timing; the working day stays open");
  CLI::App* stopCommand = app.add_subcommand("stop",
                                             "Stop timing and close the working day with a Stop "
                                             "Work marker (says so when neither was open)");
  CLI::App* lastCommand = app.add_subcommand("last",
                                             "Start timing the task of the newest journal entry "
                                             "that names an open task");
  CLI::App* statusCommand = app.add_subcommand("status",
                                               "Print the task being timed, its categories and "
                                               "minutes (tab-separated), or Unfinished when the "
                                               "window timing it ended without stopping, or "
                                               "Paused with the task and since when, or Stopped");
  startCommand->add_option("SUBJECT", subject_, "The open task's subject, letter case aside")
      ->required();
  stopCommand->add_flag("--at-save", atSave_,
                        "Stop the timer of a window that ended without stopping at its last "
                        "save: the time since is not counted");
  choice.bind(*startCommand, [this](CommandContext& context) { start(context); });
  choice.bind(*pauseCommand, [this](CommandContext& context) { pause(context); });
  choice.bind(*stopCommand, [this](CommandContext& context) { stop(context); });
  choice.bind(*lastCommand, [this](CommandContext& context) { last(context); });
  choice.bind(*statusCommand, [this](CommandContext& context) { showStatus(context); });
}

void TrackingCommands::start(CommandContext& context) {
  TextArgument::name("SUBJECT", subject_);
  track(context, [&](TrackingSession& session, const std::string& timed, bool dayOpen) {
    session.start(subject_);
    return begun("Started ", session, timed, dayOpen, context);
  });
}

void TrackingCommands::last(CommandContext& context) {
  track(context, [&](TrackingSession& session, const std::string& timed, bool dayOpen) {
    const std::optional<Task> resumed = session.lastTask();
    if (!resumed) throw CommandError("No journal entry names an open task.");
    session.start(resumed->subject);
    return begun("Resumed ", session, timed, dayOpen, context);
  });
}

void TrackingCommands::pause(CommandContext& context) {
  track(context, [&](TrackingSession& session, const std::string& timed, bool) {
    return session.pause() ? "Paused " + timed + atNow(context) + "; the working day stays open.\n"
                           : std::string("Nothing was being timed; nothing was written.\n");
  });
}

void TrackingCommands::stop(CommandContext& context) {
  if (atSave_) return stopAtSave(context);
  track(context, [&](TrackingSession& session, const std::string& timed, bool) {
    if (!session.stop())
      return std::string(
          "Nothing was being timed and no working day was open; nothing was written.\n");
    return (timed.empty() ? "Closed the working day" : "Stopped " + timed) + atNow(context) +
           (timed.empty() ? " (nothing was being timed).\n" : "; the working day ended.\n");
  });
}

// The unfinished timer ends where it was last saved, as the window's recovery offers.
void TrackingCommands::stopAtSave(CommandContext& context) {
  track(context, [&](TrackingSession& session, const std::string&, bool) {
    const std::optional<RunningTimer> orphan = session.orphan();
    if (!orphan)
      throw CommandError(
          "Nothing is unfinished: --at-save stops the timer of a window that ended without "
          "stopping (tallyworks status says when there is one).");
    const TrackingSession::Status was = session.status();
    session.stopAt(*orphan, orphan->savedAt);
    return "Stopped " + was.subject + " (" +
           std::to_string(orphan->secondsAt(orphan->savedAt) / 60) + " min) at its last save, " +
           DateText::longTime(TimeZone::toLocal(orphan->savedAt)) + "; the working day ended.\n";
  });
}

// Each step prints one line saying what it did, at the time of day it did it.
void TrackingCommands::track(CommandContext& context, const Step& step) {
  // The entry's type comes from the settings: a value they hold wrongly is said, not passed over.
  context.settings();
  TextOutput output = context.output("");
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  TrackingSession session = sessionOn(*store, context);
  const std::string timed = timedText(session);
  const bool dayOpen = session.workOpen();
  output.write(step(session, timed, dayOpen));
  output.finish();
}

// "Write (5 min)": the task being timed and its minutes; empty when nothing is timed.
std::string TrackingCommands::timedText(const TrackingSession& session) {
  if (!session.tracking()) return "";
  const TrackingSession::Status now = session.status();
  return now.subject + " (" + std::to_string(now.minutes) + " min)";
}

// A timer whose window ended without stopping is not running: what was saved, and the ways on.
std::string TrackingCommands::unfinishedText(const TrackingSession::Status& now,
                                             const CommandContext& context) {
  const DateTime saved = TimeZone::toLocal(now.savedAt);
  const bool today = saved.date() == TimeZone::toLocal(context.clock().now()).date();
  return "Unfinished: " + TerminalText::field(now.subject) + ", " + std::to_string(now.minutes) +
         " min saved at " + (today ? DateText::longTime(saved) : DateText::generalDate(saved)) +
         " when the window timing it ended without stopping. Start the window to resume it "
         "(the time since counts as work) or to stop it at that save; `tallyworks stop` stops "
         "it now, the time since counted, and `tallyworks stop --at-save` at that save.\n";
}

// The task being timed, its categories and minutes, tab-separated (fields escaped as in the
// lists); "Unfinished" with what was saved when the window timing it is gone; "Paused" with
// the task paused and since when; or "Stopped".
void TrackingCommands::showStatus(CommandContext& context) {
  TextOutput output = context.output("");
  const auto store = context.openToRead();
  const TrackingSession::Status now =
      store ? sessionOn(*store, context).status() : TrackingSession::Status{};
  if (now.ownerGone) {
    output.write(unfinishedText(now, context));
  } else if (now.state == TrackingSession::State::Tracking) {
    output.write(TerminalText::field(now.subject) + '\t' + TerminalText::field(now.categories) +
                 '\t' + std::to_string(now.minutes) + '\n');
  } else if (now.state == TrackingSession::State::Paused) {
    const DateTime since = TimeZone::toLocal(now.since);
    const bool today = since.date() == TimeZone::toLocal(context.clock().now()).date();
    output.write("Paused" + (now.subject.empty() ? "" : ": " + TerminalText::field(now.subject)) +
                 " since " + (today ? DateText::longTime(since) : DateText::generalDate(since)) +
                 '\n');
  } else {
    output.write("Stopped\n");
  }
  output.finish();
}

}  // namespace tw

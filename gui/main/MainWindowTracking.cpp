// The tracking buttons and the tick of the main window.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <optional>

#include "core/DateText.h"
#include "core/TimeZone.h"
#include "gui/common/WindowError.h"
#include "gui/main/MainWindow.h"
#include "gui/main/OverdueGuard.h"
#include "gui/main/TitleCaption.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;
using State = TrackingSession::State;

// The status text of a duration: "2h 5m", "1h ", "45m", "< 1m".
QString timeText(std::int32_t minutes) {
  const std::int32_t hours = minutes / 60;
  const std::int32_t rest = minutes % 60;
  QString text;
  if (hours >= 1) text = QString::number(hours) + "h ";
  if (rest >= 1) text += QString::number(rest) + "m";
  return text.isEmpty() ? QStringLiteral("< 1m") : text;
}

// An instant of the status bar: the time of day, with the date when it was not today.
QString momentText(Instant at, Instant now) {
  const DateTime local = TimeZone::toLocal(at);
  if (local.date() == TimeZone::toLocal(now).date())
    return QString::fromStdString(DateText::longTime(local));
  return QString::fromStdString(DateText::generalDate(local));
}

// "Page layout since 10:05:00 AM"; a period of work opened without a task says so.
QString pausedText(const TrackingSession::Status& status, const QString& since) {
  if (status.subject.empty()) return "Since " + since + ", nothing timed yet";
  return QString::fromStdString(status.subject) + " since " + since;
}

}  // namespace

void MainWindow::onStartClicked() {
  const QString task = taskList_->currentText();
  if (task.isEmpty() && store_ && !listsTasks()) {
    if (messages_.ask(QStringLiteral("There is no open task to time yet. Add one now?"),
                      QStringLiteral("Start")))
      openTasks();
    return;
  }
  if (task.isEmpty()) {
    messages_.show(QStringLiteral("Select a Task"), Icon::Warning);
    return;
  }
  track([&](TrackingSession& s) { s.start(task.toStdString()); });
}

void MainWindow::onStopClicked() {
  track([](TrackingSession& s) { s.stop(); });
}

void MainWindow::onPauseClicked() {
  track([](TrackingSession& s) { s.pause(); });
}

// Resumes the task of the most recent journal entry that names a listed task.
void MainWindow::onLastClicked() {
  std::optional<Task> last;
  try {
    last = session().lastTask();
  } catch (const std::exception& e) {
    messages_.show("Error resuming the last task: " + WindowError::describe(e), Icon::None);
    return;
  }
  if (!last) {
    messages_.show(QStringLiteral("There is nothing to resume: no journal entry names an open "
                                  "task yet. Choose a task and press Start."),
                   QStringLiteral("Last"), Icon::None);
    return;
  }
  selectTask(QString::fromStdString(last->subject));
  track([&](TrackingSession& s) { s.start(last->subject); });
}

// A step that fails changes nothing: the list shows again the task still timed.
void MainWindow::track(const std::function<void(TrackingSession&)>& step) {
  try {
    step(session());
  } catch (const std::exception& e) {
    messages_.show("Error saving Journal Entry\r\n" + WindowError::describe(e), Icon::Warning);
    if (session_ && session_->tracking())
      selectTask(QString::fromStdString(session_->held()->subject));
  }
  showTrackingState();
}

// Start and Last are usable only while stopped, Pause only while tracking, Stop while a period
// of work is open (tracking or paused): it closes the period.
void MainWindow::showTrackingState() {
  trackingShown_ = session_ && session_->tracking();
  bool workOpen = trackingShown_;
  try {
    workOpen = session_ && session_->workOpen();
  } catch (const std::exception&) {
    // The store failed: the handler or tick that called shows it; Stop follows the timing.
    workOpen = trackingShown_;
  }
  startButton_->setEnabled(!trackingShown_);
  lastButton_->setEnabled(!trackingShown_);
  stopButton_->setEnabled(workOpen);
  pauseButton_->setEnabled(trackingShown_);
}

void MainWindow::onTick() {
  // A tick waits while one of the window's messages is open.
  if (messages_.open()) return;
  try {
    const TrackingSession::Status status = session_ ? session_->tick() : TrackingSession::Status{};
    const bool tracking = status.state == State::Tracking;
    if (tracking != trackingShown_) {
      // Another process started or stopped the timing.
      if (tracking) selectTask(QString::fromStdString(status.subject));
      showTrackingState();
    }
    showStatus(status);
    if (tracking) guardOverdue();
  } catch (const std::exception& e) {
    stopTicking(WindowError::describe(e));
  }
}

// While the store fails the time goes on, and the second panel says since when nothing could
// be saved and why; the next tick that can save stores every second timed.
void MainWindow::showStatus(const TrackingSession::Status& status) {
  const QString failure = QString::fromStdString(status.storeFailure);
  const Instant now = guardedServices_.clock.now();
  QString detail;
  switch (status.state) {
    case State::Tracking:
      timePanel_->setText(timeText(status.minutes));
      detail = failure.isEmpty()
                   ? QString::fromStdString(status.categories)
                   : "Not saved since " + momentText(status.savedAt, now) + ": " + failure;
      setWindowTitle(caption_->caption(status, session_->held()->id, stoppedTitle_));
      break;
    case State::Stopped:
      timePanel_->setText(QStringLiteral("Stopped"));
      if (!failure.isEmpty())
        detail = "The store cannot be read: " + failure;
      else if (store_ && !listsTasks())
        detail = QStringLiteral("Add a task: click the list, or Ctrl+T");
      setWindowTitle(stoppedTitle_);
      break;
    case State::Paused:
      timePanel_->setText(QStringLiteral("Paused"));
      detail = pausedText(status, momentText(status.since, now));
      setWindowTitle("Paused: " + detail + " — " + stoppedTitle_);
      if (!failure.isEmpty()) detail += "; the store cannot be read: " + failure;
      break;
    case State::Held:
      timePanel_->setText(timeText(status.minutes));
      detail = QString::fromStdString(status.subject) + ": chosen from the journal, not timed";
      setWindowTitle(stoppedTitle_);
      break;
  }
  detailPanel_->setText(detail);
  detailPanel_->setToolTip(failure.isEmpty() ? QString() : detail);
}

// Asks once about timing left running too long or past midnight.
void MainWindow::guardOverdue() {
  try {
    const auto announce = [this](const QString& text) { emit overdueQuestioned(text); };
    if (overdue_ && overdue_->check(this, announce)) showTrackingState();
  } catch (const std::exception& e) {
    messages_.show("Error stopping the timer\r\n" + WindowError::describe(e), Icon::Warning);
  }
}

// The store's failures never reach here (the status bar shows them and a later tick mends
// them); what does is a fault no tick can mend, such as a clock set beyond the year 9999. The
// ticks stop; the timer goes on in the store, for the next start to take up.
void MainWindow::stopTicking(const QString& description) {
  tickTimer_->stop();
  messages_.show("Tallyworks cannot go on showing the timing:\r\n" + description +
                     "\r\nThe timer goes on in the store; start Tallyworks again to take it up.",
                 Icon::Critical);
}

}  // namespace tw

// The tracking buttons and the tick of the main window.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <limits>
#include <optional>

#include "gui/MainWindow.h"
#include "gui/OverdueGuard.h"
#include "gui/TitleCaption.h"
#include "gui/WindowError.h"

namespace tw {

namespace {

using Icon = MessageBoxes::Icon;
using State = TrackingSession::State;

// The status text of a duration: "2h 5m", "1h ", "45m", "< 1m".
QString timeText(std::int32_t minutes) {
  const std::int32_t hours = minutes / 60;
  if (hours > std::numeric_limits<std::int16_t>::max())
    throw WindowError("Overflow: the entry's duration is too large to show");
  const std::int32_t rest = minutes % 60;
  QString text;
  if (hours >= 1) text = QString::number(hours) + "h ";
  if (rest >= 1) text += QString::number(rest) + "m";
  return text.isEmpty() ? QStringLiteral("< 1m") : text;
}

}  // namespace

void MainWindow::onStartClicked() {
  const QString task = taskList_->currentText();
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
  if (!last) return;
  selectTask(QString::fromStdString(last->subject));
  track([&](TrackingSession& s) { s.start(last->subject); });
}

void MainWindow::track(const std::function<void(TrackingSession&)>& step) {
  try {
    step(session());
  } catch (const std::exception& e) {
    messages_.show("Error saving Journal Entry\r\n" + WindowError::describe(e), Icon::Warning);
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
  // A tick waits while one of the window's messages is open, so that a failing store does
  // not stack up recovery messages.
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
    if (tracking) {
      tickFailures_ = 0;
      guardOverdue();
    }
  } catch (const std::exception& e) {
    recoverFromTickFailure(WindowError::describe(e));
  }
}

void MainWindow::showStatus(const TrackingSession::Status& status) {
  switch (status.state) {
    case State::Tracking:
      timePanel_->setText(timeText(status.minutes));
      detailPanel_->setText(QString::fromStdString(status.categories));
      setWindowTitle(caption_->caption(status, session_->held()->id, stoppedTitle_));
      return;
    case State::Stopped:
      timePanel_->setText(QStringLiteral("Stopped"));
      detailPanel_->clear();
      break;
    case State::Held:
      timePanel_->setText(QStringLiteral("ERROR"));
      detailPanel_->setText(QStringLiteral("Errant Entry in Memory"));
      break;
  }
  setWindowTitle(stoppedTitle_);
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

// The first two failures without a completed tracking tick in between drop the entry held
// and start over from the store; the third stops the ticks.
void MainWindow::recoverFromTickFailure(const QString& description) {
  if (tickFailures_ >= 2) {
    messages_.show("Fatal error, Please restart Tallyworks\r\n" + description, Icon::Critical);
    tickTimer_->stop();
    return;
  }
  ++tickFailures_;
  messages_.show("Error, Restarting Outlook\r\n" + description, Icon::Warning);
  if (session_) session_->abandon();
  fillTaskList(QString());
  showTrackingState();
}

}  // namespace tw

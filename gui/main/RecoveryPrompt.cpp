#include "gui/main/RecoveryPrompt.h"

#include "core/TimeZone.h"
#include "gui/common/ClockText.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/QtDates.h"
#include "gui/common/WindowError.h"
#include "gui/common/WindowServices.h"
#include "gui/main/StopChoiceDialog.h"
#include "store/JournalStore.h"
#include "tracking/TrackingSession.h"
#include "tracking/UnfinishedWork.h"

namespace tw {

namespace {

QString when(DateTime local) {
  return QtDates::toQt(local).toString(QStringLiteral("ddd d MMM HH:mm"));
}

}  // namespace

RecoveryPrompt::RecoveryPrompt(TrackingSession& session, JournalStore& store,
                               WindowServices& services)
    : session_(session), store_(store), services_(services) {}

void RecoveryPrompt::offer(QWidget* parent) {
  try {
    offerTimer(parent);
    offerOpenDay(parent);
  } catch (const std::exception& e) {
    services_.messages.show("Error finishing earlier work\r\n" + WindowError::describe(e),
                            MessageBoxes::Icon::Warning);
  }
}

void RecoveryPrompt::offerTimer(QWidget* parent) {
  const std::optional<RunningTimer> orphan = session_.orphan();
  if (!orphan) return;
  const std::optional<JournalEntry> entry = store_.entry(orphan->entryId);
  if (!entry) return;
  const QString text = QStringLiteral(
                           "Tallyworks was timing \"%1\" since %2 when it ended without stopping, "
                           "at %3 (its last save, with %4 timed). Resume counts the time since "
                           "then as work; Stop ends the entry at that save or at the time chosen.")
                           .arg(QString::fromStdString(entry->subject), when(entry->localStart()),
                                when(TimeZone::toLocal(orphan->savedAt)),
                                ClockText::hoursMinutes(orphan->secondsAt(orphan->savedAt) / 60));
  StopChoiceDialog dialog(
      QStringLiteral("Unfinished Timing"), text, TimeZone::toLocal(orphan->savedAt),
      {{StopChoiceDialog::kResume, QStringLiteral("&Resume")},
       {StopChoiceDialog::kStopAtSave, QStringLiteral("Stop at the last &save")},
       {StopChoiceDialog::kStopAtChosen, QStringLiteral("Stop at the &time chosen")},
       {StopChoiceDialog::kLater, QStringLiteral("&Later")}},
      parent);
  switch (services_.dialogs.exec(dialog)) {
    case StopChoiceDialog::kResume:
      session_.resume(*orphan);
      break;
    case StopChoiceDialog::kStopAtSave:
      session_.stopAt(*orphan, orphan->savedAt);
      break;
    case StopChoiceDialog::kStopAtChosen:
      session_.stopAt(*orphan, TimeZone::fromLocal(dialog.chosen()));
      break;
    default:
      break;
  }
}

void RecoveryPrompt::offerOpenDay(QWidget* parent) {
  const std::optional<JournalEntry> last = UnfinishedWork::openDay(store_, services_.clock);
  if (!last) return;
  const DateTime end = TimeZone::toLocal(last->start.plus(last->seconds));
  const QString text =
      QStringLiteral(
          "The day of %1 was never closed with \"Stop Work\". Its last entry, "
          "\"%2\", ends at %3.")
          .arg(QtDates::toQt(last->localStart()).toString(QStringLiteral("dddd d MMMM")),
               QString::fromStdString(last->subject), when(end));
  StopChoiceDialog dialog(
      QStringLiteral("Day Left Open"), text, end,
      {{StopChoiceDialog::kStopAtSave, QStringLiteral("Close at its &end")},
       {StopChoiceDialog::kStopAtChosen, QStringLiteral("Close at the &time chosen")},
       {StopChoiceDialog::kLater, QStringLiteral("&Later")}},
      parent);
  switch (services_.dialogs.exec(dialog)) {
    case StopChoiceDialog::kStopAtSave:
      session_.closeDay(last->start.plus(last->seconds));
      break;
    case StopChoiceDialog::kStopAtChosen:
      session_.closeDay(TimeZone::fromLocal(dialog.chosen()));
      break;
    default:
      break;
  }
}

}  // namespace tw

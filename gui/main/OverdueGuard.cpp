#include "gui/main/OverdueGuard.h"

#include <QScopedValueRollback>

#include "core/TimeZone.h"
#include "gui/common/ClockText.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/QtDates.h"
#include "gui/common/WindowServices.h"
#include "gui/desktop/DesktopSettings.h"
#include "gui/main/StopChoiceDialog.h"
#include "store/JournalStore.h"
#include "tracking/TrackingSession.h"

namespace tw {

OverdueGuard::OverdueGuard(TrackingSession& session, JournalStore& store, WindowServices& services,
                           std::int64_t limitSeconds)
    : session_(session), store_(store), services_(services), limitSeconds_(limitSeconds) {}

std::int64_t OverdueGuard::configuredLimit() {
  return DesktopSettings::overdueLimitSeconds();
}

// Closing the question keeps the timer, as "Keep" does: it is asked once.
bool OverdueGuard::check(QWidget* parent, const std::function<void(const QString&)>& announce) {
  if (asking_ || !session_.overdue(limitSeconds_)) return false;
  const JournalEntry held = *session_.held();
  const TrackingSession::Status status = session_.status();
  const QString text =
      QStringLiteral("\"%1\" has been timed since %2, %3 in all. Is the timer still right?")
          .arg(QString::fromStdString(held.subject),
               QtDates::toQt(held.localStart()).toString(QStringLiteral("ddd d MMM HH:mm")),
               ClockText::hoursMinutes(status.minutes));
  const DateTime suggested = held.localStart().addSeconds(limitSeconds_ / 60 * 60);
  StopChoiceDialog dialog(
      QStringLiteral("Still Working?"), text, suggested,
      {{StopChoiceDialog::kKeep, QStringLiteral("&Keep timing")},
       {StopChoiceDialog::kStopAtChosen, QStringLiteral("Stop at the &time chosen")}},
      parent);
  if (announce) announce(text);
  int choice = StopChoiceDialog::kLater;
  {
    const QScopedValueRollback<bool> asking(asking_, true);
    choice = services_.dialogs.exec(dialog);
  }
  if (choice != StopChoiceDialog::kStopAtChosen) {
    session_.keepOverdue();
    return false;
  }
  session_.stopAt(store_.timer(), TimeZone::fromLocal(dialog.chosen()));
  return true;
}

}  // namespace tw

#include "gui/desktop/QtIdleQuestion.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/TimeZone.h"
#include "gui/common/DialogRunner.h"
#include "gui/desktop/DesktopSettings.h"

namespace tw {
namespace {

QString clockText(Instant t) {
  const DateTime local = TimeZone::toLocal(t);
  return QStringLiteral("%1:%2").arg(local.hour()).arg(local.minute(), 2, 10, QLatin1Char('0'));
}

}  // namespace

IdleQuestion::Answer QtIdleQuestion::ask(const QString& task, Instant awaySince, Instant now) {
  if (const std::optional<Answer> preset = DesktopSettings::answerOnReturn()) return *preset;
  const QString since = clockText(awaySince);
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tallyworks"),
                  QObject::tr("You were away from %1 to %2 (%3 minutes) while \"%4\" was timed.")
                      .arg(since, clockText(now))
                      .arg(now.secondsSince(awaySince) / 60)
                      .arg(task));
  box.setInformativeText(QObject::tr("Should that time count?"));
  QPushButton* keep = box.addButton(QObject::tr("Keep It"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QObject::tr("Discard It"), QMessageBox::DestructiveRole);
  QPushButton* goOn =
      box.addButton(QObject::tr("Discard, Time Again from Now"), QMessageBox::ActionRole);
  QPushButton* stop = box.addButton(QObject::tr("Stop at %1").arg(since), QMessageBox::ActionRole);
  // Enter or Escape keep the time: nothing is lost without a deliberate choice.
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  dialogs_.exec(box);
  if (box.clickedButton() == discard) return Answer::Discard;
  if (box.clickedButton() == goOn) return Answer::DiscardAndGoOn;
  if (box.clickedButton() == stop) return Answer::Stop;
  return Answer::Keep;
}

}  // namespace tw

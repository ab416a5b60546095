#include "gui/sync/SyncProblemsButton.h"

#include <QStyle>
#include <exception>

#include "gui/common/DialogRunner.h"
#include "gui/sync/SyncProblemsDialog.h"

namespace tw {

SyncProblemsButton::SyncProblemsButton(SyncQueue& queue, MessageBoxes& messages,
                                       DialogRunner& dialogs, QWidget* parent)
    : QToolButton(parent), queue_(queue), messages_(messages), dialogs_(dialogs) {
  setObjectName(QStringLiteral("syncProblemsButton"));
  setAutoRaise(true);
  setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  setToolTip(QStringLiteral("What the calendar server refused or the synchronisation skipped"));
  connect(this, &QToolButton::clicked, this, &SyncProblemsButton::openDialog);
  recount();
}

void SyncProblemsButton::showProblems(std::vector<SyncResult::Problem> lastRun) {
  lastRun_ = std::move(lastRun);
  recount();
}

// The held changes and the items the last run skipped.
void SyncProblemsButton::recount() {
  std::size_t held = 0;
  try {
    held = queue_.held();
  } catch (const std::exception&) {
    held = 0;  // (The dialog says why when it is opened.)
  }
  count_ = static_cast<int>(held);
  for (const SyncResult::Problem& p : lastRun_) count_ += p.status == 0 ? 1 : 0;
  setText(count_ == 1 ? QStringLiteral("1 sync problem…")
                      : QStringLiteral("%1 sync problems…").arg(count_));
  setVisible(count_ > 0);
}

void SyncProblemsButton::openDialog() {
  SyncProblemsDialog dialog(queue_, lastRun_, messages_, window());
  connect(&dialog, &SyncProblemsDialog::changed, this, &SyncProblemsButton::changed);
  dialogs_.exec(dialog);
  recount();
}

}  // namespace tw

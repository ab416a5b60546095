#include "gui/common/QtDialogRunner.h"

#include <QDialog>

namespace tw {

int QtDialogRunner::exec(QDialog& dialog) {
  if (ended_) return QDialog::Rejected;
  const QPointer<QDialog> outer = running_;
  running_ = &dialog;
  const int result = dialog.exec();
  running_ = outer;
  return result;
}

void QtDialogRunner::endAll() {
  ended_ = true;
  if (running_) running_->reject();
}

}  // namespace tw

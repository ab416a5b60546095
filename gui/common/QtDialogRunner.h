#pragma once

#include <QPointer>

#include "gui/common/DialogRunner.h"

namespace tw {

// Runs a dialog's own modal loop.
class QtDialogRunner : public DialogRunner {
 public:
  int exec(QDialog& dialog) override;
  // The program is ending: the dialog open is closed unanswered (rejected), and later ones
  // are rejected without being shown.
  void endAll();

 private:
  QPointer<QDialog> running_;
  bool ended_ = false;
};

}  // namespace tw

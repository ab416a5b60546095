#pragma once

#include "gui/DialogRunner.h"

namespace tw {

// Runs a dialog's own modal loop.
class QtDialogRunner : public DialogRunner {
 public:
  int exec(QDialog& dialog) override;
};

}  // namespace tw

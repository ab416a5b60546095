#pragma once

#include "tracking/DialogRunner.h"

namespace tw {

// Runs a dialog's own modal loop.
class QtDialogRunner : public DialogRunner {
 public:
  int exec(QDialog& dialog) override;
};

}  // namespace tw

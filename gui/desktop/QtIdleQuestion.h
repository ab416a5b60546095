#pragma once

#include "gui/desktop/IdleQuestion.h"

namespace tw {

class DialogRunner;

// Asks with a message box of four buttons, run through the dialog runner.
class QtIdleQuestion : public IdleQuestion {
 public:
  explicit QtIdleQuestion(DialogRunner& dialogs) : dialogs_(dialogs) {}
  Answer ask(const QString& task, Instant awaySince, Instant now) override;

 private:
  DialogRunner& dialogs_;
};

}  // namespace tw

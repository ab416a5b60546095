#pragma once

class QDialog;

namespace tw {

// Shows a dialog modally and returns its result. The program runs QDialog::exec; tests
// replace it so that no test waits on a modal window.
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  virtual int exec(QDialog& dialog) = 0;
};

}  // namespace tw

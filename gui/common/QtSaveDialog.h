#pragma once

#include "gui/common/SaveDialog.h"

namespace tw {

class DialogRunner;

// The save dialog of the program: a QFileDialog in save mode with one filter and a default
// suffix appended to a name typed without an extension; it does not ask before replacing.
class QtSaveDialog : public SaveDialog {
 public:
  // The dialog runs through runner.
  explicit QtSaveDialog(DialogRunner& runner) : runner_(runner) {}

  QString getSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                          const QString& fileName) override;

 private:
  DialogRunner& runner_;
};

}  // namespace tw

#pragma once

#include "gui/MessageBoxes.h"

class QWidget;

namespace tw {

// The program's message boxes: a modal QMessageBox with one OK button.
class QtMessageBoxes : public MessageBoxes {
 public:
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override;
};

}  // namespace tw

#pragma once

#include "gui/MessageBoxes.h"

class QWidget;

namespace tw {

// The program's message boxes: a modal QMessageBox with one OK button, or Yes and No.
class QtMessageBoxes : public MessageBoxes {
 public:
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override;
  bool ask(const QString& text, const QString& title) override;
};

}  // namespace tw

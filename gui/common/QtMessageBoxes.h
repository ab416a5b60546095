#pragma once

#include <QPointer>

#include "gui/common/MessageBoxes.h"

class QMessageBox;

namespace tw {

// The program's message boxes: a modal QMessageBox with one OK button, or Yes and No.
class QtMessageBoxes : public MessageBoxes {
 public:
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override;
  bool ask(const QString& text, const QString& title) override;
  // The program is ending: the box open is closed (No, for a question), and later messages go
  // to standard error instead of a box.
  void endAll();

 private:
  int run(QMessageBox& box);

  QPointer<QMessageBox> open_;
  bool ended_ = false;
};

}  // namespace tw

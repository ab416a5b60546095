#include "gui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tw {

void QtMessageBoxes::show(const QString& text, const QString& title, Icon icon) {
  QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
  if (icon == Icon::Warning) qtIcon = QMessageBox::Warning;
  if (icon == Icon::Critical) qtIcon = QMessageBox::Critical;
  QMessageBox box(qtIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

bool QtMessageBoxes::ask(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tw

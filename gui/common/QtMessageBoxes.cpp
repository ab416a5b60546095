#include "gui/common/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

namespace tw {

int QtMessageBoxes::run(QMessageBox& box) {
  if (ended_) {
    std::cerr << "tallyworks: " << box.text().toStdString() << '\n';
    return QMessageBox::No;
  }
  const QPointer<QMessageBox> outer = open_;
  open_ = &box;
  const int result = box.exec();
  open_ = outer;
  return result;
}

void QtMessageBoxes::show(const QString& text, const QString& title, Icon icon) {
  QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
  if (icon == Icon::Warning) qtIcon = QMessageBox::Warning;
  if (icon == Icon::Critical) qtIcon = QMessageBox::Critical;
  QMessageBox box(qtIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
  run(box);
}

bool QtMessageBoxes::ask(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  return run(box) == QMessageBox::Yes;
}

void QtMessageBoxes::endAll() {
  ended_ = true;
  if (open_) open_->done(QMessageBox::No);
}

}  // namespace tw

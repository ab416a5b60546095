#pragma once

#include <QPushButton>
#include <QString>

namespace tw {

// A push button known by its object name (to tests, and to the screenshot scripts) that Enter
// never presses by having the focus: in a dialog, Enter is the default button's alone.
inline QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace tw

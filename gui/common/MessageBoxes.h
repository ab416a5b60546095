#pragma once

#include <QString>

namespace tw {

// Every message box of the program goes through this seam, so tests can record messages
// instead of waiting on a modal window. Exclamation and warning are one icon here.
class MessageBoxes {
 public:
  enum class Icon { None, Warning, Critical };
  static constexpr const char* kDefaultTitle = "Tallyworks";

  virtual ~MessageBoxes() = default;
  // Modal, one OK button.
  virtual void show(const QString& text, const QString& title, Icon icon) = 0;
  void show(const QString& text, Icon icon) { show(text, kDefaultTitle, icon); }
  // Modal, Yes and No buttons (No the default); true for Yes.
  virtual bool ask(const QString& text, const QString& title) = 0;
};

}  // namespace tw

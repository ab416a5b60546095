#pragma once

#include <QKeySequence>
#include <QMenu>
#include <QString>

class QAction;
class QToolButton;

namespace tw {

// The main window's menu: the other windows (Tasks…, Journal…, Summary…), the calendar
// synchronisation's status and Quit. It opens from the menu button at the end of the task row,
// with F10, and as the window's context menu; each entry's shortcut works anywhere in the window.
class MainWindowMenu : public QMenu {
 public:
  // The entries are added to window, whose context menu this becomes.
  explicit MainWindowMenu(QWidget& window);

  // An entry that opens a window, after the ones added before it and above the status and
  // Quit: one line for each window to come.
  template <typename Receiver, typename Slot>
  QAction* addWindowEntry(const char* name, const QString& text, const QKeySequence& key,
                          const Receiver* receiver, Slot slot) {
    QAction* action = newEntry(name, text, key, windowsEnd_);
    connect(action, &QAction::triggered, receiver, slot);
    return action;
  }
  // Quit, at the end.
  template <typename Receiver, typename Slot>
  void setQuit(const Receiver* receiver, Slot slot) {
    connect(quit_, &QAction::triggered, receiver, slot);
  }
  // The synchronisation's last word, shown above Quit; none while empty.
  void showSyncStatus(const QString& status);
  // The button that opens the menu (F10 too).
  QToolButton* button() const { return button_; }

 private:
  QAction* newEntry(const char* name, const QString& text, const QKeySequence& key,
                    QAction* before);
  void openBelowButton();

  QWidget& window_;
  QAction* windowsEnd_;
  QAction* syncStatus_;
  QAction* quit_;
  QToolButton* button_;
};

}  // namespace tw

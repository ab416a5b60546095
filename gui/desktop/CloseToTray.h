#pragma once

#include <QObject>

class QWidget;

namespace tw {

// Closing the watched window hides it instead, the program going on in the tray; the timer
// ticks of a hidden window go on. With [window] close_to_tray = no the window closes and the
// program ends. release() lets the next close through (Quit, termination).
class CloseToTray : public QObject {
  Q_OBJECT

 public:
  explicit CloseToTray(QWidget& window);
  void release() { released_ = true; }

 signals:
  // The window was hidden instead of closed.
  void hidden();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  bool released_ = false;
};

}  // namespace tw

#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace tw {

// Keeps the program's windows on the screen. Installed on the application, it sees each
// top-level window's first showing and makes the window no larger than the available area of
// its screen (panels left out), its frame included, then centres it over the window it belongs
// to (its parent, else the active window); without one it keeps the place it chose (the main
// window) or opens in the middle of the screen. The whole frame stays within the available area. A
// window larger than it asks for at one scale factor thus still opens whole at another; the user's
// own moves and sizes are kept.
class ScreenFit : public QObject {
 public:
  explicit ScreenFit(QObject* parent = nullptr) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void place(QWidget& window);
  // The frame's place: the size asked for less what does not fit in available (but never less
  // than least), centred over owner when it is valid, else at asked's own place, shifted into
  // available. Sizes are of the frame: frame margins included.
  static QRect fit(QRect asked, QSize least, QRect available, QRect owner);
};

}  // namespace tw

#include "gui/desktop/CloseToTray.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "gui/desktop/DesktopSettings.h"

namespace tw {

CloseToTray::CloseToTray(QWidget& window) : QObject(&window), window_(window) {
  window.installEventFilter(this);
}

bool CloseToTray::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_ || event->type() != QEvent::Close || released_)
    return QObject::eventFilter(watched, event);
  // Closing to the tray switched off in the settings: the window closes and the program ends.
  if (!DesktopSettings::closeToTray()) {
    QApplication::setQuitOnLastWindowClosed(true);
    return QObject::eventFilter(watched, event);
  }
  event->ignore();
  window_.hide();
  emit hidden();
  return true;
}

}  // namespace tw

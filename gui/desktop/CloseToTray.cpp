#include "gui/desktop/CloseToTray.h"

#include <QEvent>
#include <QWidget>

namespace tw {

CloseToTray::CloseToTray(QWidget& window) : QObject(&window), window_(window) {
  window.installEventFilter(this);
}

bool CloseToTray::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_ || event->type() != QEvent::Close || released_)
    return QObject::eventFilter(watched, event);
  event->ignore();
  window_.hide();
  emit hidden();
  return true;
}

}  // namespace tw

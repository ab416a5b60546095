#include "gui/report/DoubleClickFilter.h"

#include <QEvent>

namespace tw {

bool DoubleClickFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    action_();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tw

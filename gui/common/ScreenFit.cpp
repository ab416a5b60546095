#include "gui/common/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tw {

namespace {

// Before a window is first mapped its frame is unknown: a title bar and thin borders are
// assumed, as most window managers draw them.
const QMargins kUsualFrame(4, 32, 4, 4);
const char* const kPlacedProperty = "tallyworksScreenFit";

QMargins frameOf(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  const QMargins drawn(client.left() - frame.left(), client.top() - frame.top(),
                       frame.right() - client.right(), frame.bottom() - client.bottom());
  return drawn.isNull() ? kUsualFrame : drawn;
}

// The window this one opens over: its parent's, else the one the user is working in.
const QWidget* ownerOf(const QWidget& window) {
  if (const QWidget* parent = window.parentWidget()) return parent->window();
  const QWidget* active = QApplication::activeWindow();
  return active != &window ? active : nullptr;
}

}  // namespace

QRect ScreenFit::fit(QRect asked, QSize least, QRect available, QRect owner) {
  const QSize size = asked.size().boundedTo(available.size()).expandedTo(least);
  QRect placed(asked.topLeft(), size);
  if (owner.isValid()) placed.moveCenter(owner.center());
  placed.moveLeft(
      std::max(available.left(), std::min(placed.left(), available.right() + 1 - size.width())));
  placed.moveTop(
      std::max(available.top(), std::min(placed.top(), available.bottom() + 1 - size.height())));
  return placed;
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && !widget->property(kPlacedProperty).toBool()) {
      widget->setProperty(kPlacedProperty, true);
      place(*widget);
    }
  }
  return QObject::eventFilter(watched, event);
}

void ScreenFit::place(QWidget& window) {
  // Menus, tooltips and pop-ups place themselves.
  if (window.windowType() == Qt::Popup || window.windowType() == Qt::ToolTip) return;
  const QScreen* screen = window.screen();
  if (!screen) return;
  const QMargins frame = frameOf(window);
  const QWidget* owner = ownerOf(window);
  const QRect asked = window.geometry().marginsAdded(frame);
  const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize()).grownBy(frame);
  const QRect available = screen->availableGeometry();
  // A window of its own that chose no place opens in the middle of the screen.
  QRect over = window.testAttribute(Qt::WA_Moved) ? QRect() : available;
  if (owner && owner->isVisible()) over = owner->frameGeometry();
  const QRect placed = fit(asked, least, available, over);
  // The client's own rectangle: a window manager puts the frame around it.
  window.setGeometry(placed.marginsRemoved(frame));
}

}  // namespace tw

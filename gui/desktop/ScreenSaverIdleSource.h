#pragma once

#include <QDBusConnection>

#include "gui/desktop/IdleSource.h"

namespace tw {

// org.freedesktop.ScreenSaver on the session bus: GetSessionIdleTime, and ActiveChanged
// taken for the screen locking and unlocking.
class ScreenSaverIdleSource : public IdleSource {
  Q_OBJECT

 public:
  explicit ScreenSaverIdleSource(QDBusConnection bus, QObject* parent = nullptr);
  std::optional<std::int64_t> idleSeconds() override;

 private slots:
  void onActiveChanged(bool active);

 private:
  QDBusConnection bus_;
};

}  // namespace tw

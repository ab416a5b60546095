#pragma once

#include <QDBusConnection>

#include "gui/desktop/IdleSource.h"

namespace tw {

// GNOME's org.gnome.Mutter.IdleMonitor on the session bus: the core monitor's GetIdletime.
// It knows nothing of locking.
class MutterIdleSource : public IdleSource {
  Q_OBJECT

 public:
  explicit MutterIdleSource(QDBusConnection bus, QObject* parent = nullptr)
      : IdleSource(parent), bus_(std::move(bus)) {}
  std::optional<std::int64_t> idleSeconds() override;

 private:
  QDBusConnection bus_;
};

}  // namespace tw

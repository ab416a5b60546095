#include "gui/desktop/MutterIdleSource.h"

#include "gui/desktop/DBusCall.h"

namespace tw {

std::optional<std::int64_t> MutterIdleSource::idleSeconds() {
  const QString monitor = QStringLiteral("org.gnome.Mutter.IdleMonitor");
  const std::optional<QVariant> millis =
      DBusCall::first(bus_, monitor, QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"), monitor,
                      QStringLiteral("GetIdletime"));
  if (!millis) return std::nullopt;
  return static_cast<std::int64_t>(millis->toULongLong() / 1000);
}

}  // namespace tw

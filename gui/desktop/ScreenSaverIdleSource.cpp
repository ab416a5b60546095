#include "gui/desktop/ScreenSaverIdleSource.h"

#include "gui/desktop/DBusCall.h"

namespace tw {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

}  // namespace

ScreenSaverIdleSource::ScreenSaverIdleSource(QDBusConnection bus, QObject* parent)
    : IdleSource(parent), bus_(std::move(bus)) {
  // QtDBus connects signals by their signatures only.
  bus_.connect(kService, kPath, kService, QStringLiteral("ActiveChanged"), this,
               SLOT(onActiveChanged(bool)));
}

std::optional<std::int64_t> ScreenSaverIdleSource::idleSeconds() {
  const std::optional<QVariant> seconds =
      DBusCall::first(bus_, kService, kPath, kService, QStringLiteral("GetSessionIdleTime"));
  if (!seconds) return std::nullopt;
  return static_cast<std::int64_t>(seconds->toUInt());
}

void ScreenSaverIdleSource::onActiveChanged(bool active) {
  emit lockChanged(active);
}

}  // namespace tw

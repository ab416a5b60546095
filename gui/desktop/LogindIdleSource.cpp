#include "gui/desktop/LogindIdleSource.h"

#include <unistd.h>
#include <QDBusObjectPath>
#include <algorithm>

#include "core/Clock.h"
#include "gui/desktop/DBusCall.h"

namespace tw {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");

}  // namespace

LogindIdleSource::LogindIdleSource(QDBusConnection bus, const Clock& clock, QObject* parent)
    : IdleSource(parent), bus_(std::move(bus)), clock_(clock) {
  const std::optional<QVariant> session =
      DBusCall::first(bus_, kService, QStringLiteral("/org/freedesktop/login1"),
                      QStringLiteral("org.freedesktop.login1.Manager"),
                      QStringLiteral("GetSessionByPID"), {static_cast<quint32>(getpid())});
  if (!session) return;
  path_ = qvariant_cast<QDBusObjectPath>(*session).path();
  // QtDBus connects signals by their signatures only.
  bus_.connect(kService, path_, kSession, QStringLiteral("Lock"), this, SLOT(onLock()));
  bus_.connect(kService, path_, kSession, QStringLiteral("Unlock"), this, SLOT(onUnlock()));
  bus_.connect(kService, path_, QStringLiteral("org.freedesktop.DBus.Properties"),
               QStringLiteral("PropertiesChanged"), this,
               SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
}

std::optional<std::int64_t> LogindIdleSource::idleSeconds() {
  if (path_.isEmpty()) return std::nullopt;
  const std::optional<QVariant> idle =
      DBusCall::property(bus_, kService, path_, kSession, QStringLiteral("IdleHint"));
  if (!idle) return std::nullopt;
  if (!idle->toBool()) return 0;
  const std::optional<QVariant> since =
      DBusCall::property(bus_, kService, path_, kSession, QStringLiteral("IdleSinceHint"));
  if (!since) return std::nullopt;
  // Microseconds of the real-time clock.
  const auto sinceSeconds = static_cast<std::int64_t>(since->toULongLong() / 1000000);
  return std::max<std::int64_t>(0, clock_.now().unixSeconds() - sinceSeconds);
}

void LogindIdleSource::onLock() {
  emit lockChanged(true);
}

void LogindIdleSource::onUnlock() {
  emit lockChanged(false);
}

void LogindIdleSource::onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                           const QStringList&) {
  const auto locked = changed.constFind(QStringLiteral("LockedHint"));
  if (interface == kSession && locked != changed.constEnd()) emit lockChanged(locked->toBool());
}

}  // namespace tw

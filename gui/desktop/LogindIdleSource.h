#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include "gui/desktop/IdleSource.h"

namespace tw {

class Clock;

// The login session of this process as systemd-logind keeps it (on the system bus): its
// Lock and Unlock signals, its LockedHint, and IdleHint with IdleSinceHint.
class LogindIdleSource : public IdleSource {
  Q_OBJECT

 public:
  // Finds the session of this process; without one the source stays silent.
  LogindIdleSource(QDBusConnection bus, const Clock& clock, QObject* parent = nullptr);
  std::optional<std::int64_t> idleSeconds() override;

 private slots:
  void onLock();
  void onUnlock();
  void onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

 private:
  QDBusConnection bus_;
  const Clock& clock_;
  QString path_;
};

}  // namespace tw

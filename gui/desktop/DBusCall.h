#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariant>
#include <optional>

namespace tw {

// A short blocking D-Bus method call: the desktop service answers within a second or counts
// as absent.
class DBusCall {
 public:
  static constexpr int kTimeoutMillis = 1000;

  // The first value of the reply, or nothing on an error reply or none in time.
  static std::optional<QVariant> first(QDBusConnection& bus, const QString& service,
                                       const QString& path, const QString& interface,
                                       const QString& method, const QVariantList& args = {});
  // A property read through org.freedesktop.DBus.Properties.Get.
  static std::optional<QVariant> property(QDBusConnection& bus, const QString& service,
                                          const QString& path, const QString& interface,
                                          const QString& name);
};

}  // namespace tw

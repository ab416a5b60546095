#include "gui/desktop/DBusCall.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace tw {

std::optional<QVariant> DBusCall::first(QDBusConnection& bus, const QString& service,
                                        const QString& path, const QString& interface,
                                        const QString& method, const QVariantList& args) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call.setArguments(args);
  const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMillis);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return std::nullopt;
  return reply.arguments().constFirst();
}

std::optional<QVariant> DBusCall::property(QDBusConnection& bus, const QString& service,
                                           const QString& path, const QString& interface,
                                           const QString& name) {
  const std::optional<QVariant> value =
      first(bus, service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"), {interface, name});
  if (!value) return std::nullopt;
  return qvariant_cast<QDBusVariant>(*value).variant();
}

}  // namespace tw

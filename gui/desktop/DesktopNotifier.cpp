#include "gui/desktop/DesktopNotifier.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace tw {

void DesktopNotifier::notify(const QString& summary, const QString& body) {
  const QString service = QStringLiteral("org.freedesktop.Notifications");
  QDBusMessage call = QDBusMessage::createMethodCall(
      service, QStringLiteral("/org/freedesktop/Notifications"), service, QStringLiteral("Notify"));
  // Application name, id replaced, icon, summary, body, actions, hints, timeout (the server's).
  call.setArguments({QStringLiteral("Tallyworks"), 0u, QStringLiteral("tallyworks"), summary, body,
                     QStringList(), QVariantMap(), -1});
  call.setAutoStartService(true);
  bus_.send(call);
}

}  // namespace tw

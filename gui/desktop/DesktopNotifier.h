#pragma once

#include <QDBusConnection>
#include <QString>
#include <utility>

namespace tw {

// Desktop notifications through org.freedesktop.Notifications on the session bus. Sending
// does not wait: a desktop without a notification service shows nothing.
class DesktopNotifier {
 public:
  explicit DesktopNotifier(QDBusConnection bus) : bus_(std::move(bus)) {}
  void notify(const QString& summary, const QString& body);

 private:
  QDBusConnection bus_;
};

}  // namespace tw

#pragma once

#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tw::test {

// The desktop services as small fakes on the private bus.
class FakeLoginManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
 public slots:
  QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath("/org/freedesktop/login1/s1"); }
};
class FakeLoginSession : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
  Q_PROPERTY(bool IdleHint MEMBER idle)
  Q_PROPERTY(qulonglong IdleSinceHint MEMBER idleSince)
 public:
  bool idle = false;
  qulonglong idleSince = 0;
};
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
 public:
  uint idle = 0;
 public slots:
  uint GetSessionIdleTime() { return idle; }
};
class FakeMutter : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")
 public:
  qulonglong idleMillis = 0;
 public slots:
  qulonglong GetIdletime() { return idleMillis; }
};
class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 signals:
  void notified(const QString& summary, const QString& body);
 public slots:
  uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap&, int) {
    emit notified(summary, body);
    return 1;
  }
};

}  // namespace tw::test

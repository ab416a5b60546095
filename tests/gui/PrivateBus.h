#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <stdexcept>

namespace tw::test {

// A session bus of the test's own: a dbus-daemon started here and killed at the end, and one
// connection to it that both the fake desktop services and the code under test use.
class PrivateBus {
 public:
  PrivateBus() {
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {"--session", "--print-address", "--nofork", "--nopidfile"});
    if (!daemon_.waitForStarted() || !daemon_.waitForReadyRead())
      throw std::runtime_error("dbus-daemon did not start");
    const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
    bus_ = QDBusConnection::connectToBus(address, QStringLiteral("tallyworks-test"));
    if (!bus_.isConnected()) throw std::runtime_error("no connection to the private bus");
  }
  ~PrivateBus() {
    QDBusConnection::disconnectFromBus(bus_.name());
    daemon_.kill();
    daemon_.waitForFinished();
  }
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  QDBusConnection& bus() { return bus_; }
  // Serves obj at path under the well-known name service.
  void serve(const QString& service, const QString& path, QObject* obj) {
    if (!bus_.registerService(service) ||
        !bus_.registerObject(
            path, obj, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties))
      throw std::runtime_error("cannot serve " + service.toStdString());
  }

 private:
  QProcess daemon_;
  QDBusConnection bus_{QString()};
};

}  // namespace tw::test

#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace tw {

// One window per store: the first window of a store holds a lock file beside it and listens on
// a local socket; a second one finds the lock taken, asks the first to come to the front and
// ends. A lock left by a process that is gone is taken over.
class SingleWindow : public QObject {
  Q_OBJECT

 public:
  explicit SingleWindow(const QString& storePath, QObject* parent = nullptr);

  // True when this process is the store's window from now on; false when another process is,
  // which has then been asked to show itself. A store folder without room for the lock file
  // (read-only) leaves every window on its own: true.
  bool claim();

 signals:
  // Another start of the program asked this window to come to the front.
  void raiseRequested();

 private:
  void listen();

  QString socketName_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace tw

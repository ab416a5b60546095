#include "gui/main/SingleWindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tw {
namespace {

QString canonical(const QString& path) {
  const QString known = QFileInfo(path).canonicalFilePath();
  return known.isEmpty() ? QFileInfo(path).absoluteFilePath() : known;
}

// A socket in the user's runtime folder, named after the store.
QString socketNameOf(const QString& store) {
  const QByteArray hash =
      QCryptographicHash::hash(store.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return folder + QStringLiteral("/tallyworks-window-") + QString::fromLatin1(hash);
}

}  // namespace

SingleWindow::SingleWindow(const QString& storePath, QObject* parent)
    : QObject(parent),
      socketName_(socketNameOf(canonical(storePath))),
      lock_(canonical(storePath) + QStringLiteral(".window-lock")) {
  lock_.setStaleLockTime(0);
}

bool SingleWindow::claim() {
  if (lock_.tryLock(200)) {
    listen();
    return true;
  }
  if (lock_.error() != QLockFile::LockFailedError) return true;
  QLocalSocket other;
  other.connectToServer(socketName_);
  if (!other.waitForConnected(2000)) return false;
  other.write("raise\n");
  other.waitForBytesWritten(2000);
  other.disconnectFromServer();
  return false;
}

void SingleWindow::listen() {
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(socketName_);
  if (!server_->listen(socketName_)) return;
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      emit raiseRequested();
    }
  });
}

}  // namespace tw

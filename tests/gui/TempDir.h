#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace tw::testing {

// A scratch folder for the files a test writes, removed with the test.
class TempDir {
 public:
  QString path(const QString& name) const { return dir_.filePath(name); }

  static QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  static void write(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace tw::testing

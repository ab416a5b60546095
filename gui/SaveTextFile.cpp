#include "reporting/SaveTextFile.h"

#include <QSaveFile>
#include <stdexcept>

#include "reporting/SaveDialog.h"
#include "tracking/MessageBoxes.h"
#include "tracking/WindowError.h"
#include "tracking/WindowServices.h"

namespace tw {

namespace {

[[noreturn]] void fail(const QSaveFile& file, const QString& path) {
  throw std::runtime_error(
      QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()).toStdString());
}

}  // namespace

void writeTextFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) fail(file, path);
  if (file.write(bytes) != bytes.size()) fail(file, path);
  if (!file.commit()) fail(file, path);
}

bool saveTextFile(WindowServices& services, QWidget* parent, QString& fileName,
                  const QByteArray& bytes, const QString& extension) {
  try {
    const QString chosen = services.saveDialog.getSaveFileName(
        parent, QStringLiteral("*.") + extension, extension, fileName);
    if (chosen.isEmpty()) return false;
    fileName = chosen;
    writeTextFile(chosen, bytes);
    return true;
  } catch (const std::exception& e) {
    services.messages.show(describe(e), QStringLiteral("Error Saving File"),
                           MessageBoxes::Icon::Critical);
    return false;
  }
}

}  // namespace tw

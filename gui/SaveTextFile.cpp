#include "gui/SaveTextFile.h"

#include <QSaveFile>
#include <stdexcept>
#include <utility>

#include "gui/MessageBoxes.h"
#include "gui/SaveDialog.h"
#include "gui/WindowError.h"

namespace tw {

namespace {

[[noreturn]] void fail(const QSaveFile& file, const QString& path) {
  throw std::runtime_error(
      QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()).toStdString());
}

}  // namespace

SaveTextFile::SaveTextFile(SaveDialog& dialog, MessageBoxes& messages, QString extension)
    : dialog_(dialog), messages_(messages), extension_(std::move(extension)) {}

void SaveTextFile::save(QWidget* parent, const QByteArray& bytes) {
  try {
    const QString chosen =
        dialog_.getSaveFileName(parent, QStringLiteral("*.") + extension_, extension_, lastName_);
    if (chosen.isEmpty()) return;
    lastName_ = chosen;
    write(chosen, bytes);
  } catch (const std::exception& e) {
    messages_.show(WindowError::describe(e), QStringLiteral("Error Saving File"),
                   MessageBoxes::Icon::Critical);
  }
}

void SaveTextFile::write(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) fail(file, path);
  if (file.write(bytes) != bytes.size()) fail(file, path);
  if (!file.commit()) fail(file, path);
}

}  // namespace tw

#include "gui/common/SaveTextFile.h"

#include <QFile>
#include <string_view>
#include <utility>

#include "core/FileWriter.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/SaveDialog.h"
#include "gui/common/WindowError.h"

namespace tw {

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
  FileWriter::writeWhole(
      QFile::encodeName(path).toStdString(),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
      FileWriter::Targets::FilesAndStreams);
}

}  // namespace tw

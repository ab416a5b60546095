#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace tw {

class MessageBoxes;
class SaveDialog;

// The save command of a window: asks for a "*.<extension>" file, offering the name chosen last
// through this object, and writes the bytes there whole (an existing file is replaced only
// once the new content is complete). Cancelling writes and shows nothing; a failure shows
// "Error Saving File".
class SaveTextFile {
 public:
  SaveTextFile(SaveDialog& dialog, MessageBoxes& messages, QString extension);

  void save(QWidget* parent, const QByteArray& bytes);

 private:
  // Throws std::runtime_error with a description.
  static void write(const QString& path, const QByteArray& bytes);

  SaveDialog& dialog_;
  MessageBoxes& messages_;
  QString extension_;
  QString lastName_;
};

}  // namespace tw

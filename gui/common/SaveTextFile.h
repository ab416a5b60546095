#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace tw {

class MessageBoxes;
class SaveDialog;

// The save command of a window: asks for a "*.<extension>" file, offering the name chosen last
// through this object, and writes the bytes there whole, as every file is written (FileWriter:
// an existing file is replaced only once the new content is complete and on disk, never the
// store's own files). Cancelling writes and shows nothing; a failure shows "Error Saving File".
class SaveTextFile {
 public:
  SaveTextFile(SaveDialog& dialog, MessageBoxes& messages, QString extension);

  void save(QWidget* parent, const QByteArray& bytes);
  // The bytes written whole to path, as every window writes a file; throws FileError with a
  // description.
  static void write(const QString& path, const QByteArray& bytes);

 private:
  SaveDialog& dialog_;
  MessageBoxes& messages_;
  QString extension_;
  QString lastName_;
};

}  // namespace tw

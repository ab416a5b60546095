#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace tw {

struct WindowServices;

// Writes bytes to path whole: an existing file is replaced only once the new content is
// complete. Throws std::runtime_error with a description on failure.
void writeTextFile(const QString& path, const QByteArray& bytes);

// The save command of a window (CommonDialog1): asks for a "*.<extension>" file name, offering
// fileName (the name chosen last in this window, updated on a choice), and writes bytes there.
// Cancelling writes nothing and shows nothing; a failure shows "Error Saving File". True when
// the file was written.
bool saveTextFile(WindowServices& services, QWidget* parent, QString& fileName,
                  const QByteArray& bytes, const QString& extension);

}  // namespace tw

#include "gui/desktop/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/XdgFolders.h"
#include "gui/common/SaveTextFile.h"
#include "gui/common/WindowError.h"

namespace tw {
namespace {

// The Exec key quotes a path holding characters the desktop entry format reserves.
QString execValue(const QString& program) {
  QString quoted = program;
  for (const QChar c : {QChar('\\'), QChar('"'), QChar('`'), QChar('$')})
    quoted.replace(c, QStringLiteral("\\") + c);
  return '"' + quoted + '"';
}

[[noreturn]] void fail(const QString& what, const QString& file, const QString& why) {
  throw WindowError(
      QStringLiteral("Tallyworks could not %1 \"%2\": %3.").arg(what, file, why).toStdString());
}

}  // namespace

QString AutostartEntry::path() {
  return QString::fromStdString(XdgFolders::configHome()) +
         QStringLiteral("/autostart/org.tallyworks.Tallyworks.desktop");
}

bool AutostartEntry::enabled() const {
  return QFileInfo::exists(path());
}

void AutostartEntry::setEnabled(bool on) const {
  const QString file = path();
  if (!on) {
    QFile entry(file);
    if (entry.exists() && !entry.remove()) fail("remove", file, entry.errorString());
    return;
  }
  if (!QDir().mkpath(QFileInfo(file).path()))
    fail("make the folder of", file, QStringLiteral("the folder cannot be made"));
  const QString text = QStringLiteral(
                           "[Desktop Entry]\n"
                           "Type=Application\n"
                           "Name=Tallyworks\n"
                           "Comment=Time tracking on tasks\n"
                           "Exec=%1\n"
                           "Icon=tallyworks\n"
                           "Terminal=false\n"
                           "X-GNOME-Autostart-enabled=true\n")
                           .arg(execValue(program_));
  SaveTextFile::write(file, text.toUtf8());
}

}  // namespace tw

#include "gui/DesktopSettings.h"

#include <QDir>
#include <QSettings>

namespace tw {

QString DesktopSettings::configHome() {
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  return QDir::isAbsolutePath(config) ? config : QDir::homePath() + QStringLiteral("/.config");
}

std::int64_t DesktopSettings::idleLimitSeconds() {
  const QSettings settings(configHome() + QStringLiteral("/tallyworks/desktop.ini"),
                           QSettings::IniFormat);
  bool number = false;
  const int minutes = settings.value(QStringLiteral("idle/minutes")).toInt(&number);
  return std::int64_t{number && minutes > 0 ? minutes : kDefaultIdleMinutes} * 60;
}

}  // namespace tw

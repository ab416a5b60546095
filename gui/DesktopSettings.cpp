#include "gui/DesktopSettings.h"

#include <QDir>
#include <QSettings>

namespace tw {

QString DesktopSettings::configHome() {
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  return QDir::isAbsolutePath(config) ? config : QDir::homePath() + QStringLiteral("/.config");
}

namespace {

// The setting as a positive number, else fallback.
double positive(const QString& key, double fallback) {
  const QSettings settings(
      DesktopSettings::configHome() + QStringLiteral("/tallyworks/desktop.ini"),
      QSettings::IniFormat);
  bool number = false;
  const double value = settings.value(key).toDouble(&number);
  return number && value > 0 ? value : fallback;
}

}  // namespace

std::int64_t DesktopSettings::idleLimitSeconds() {
  return static_cast<std::int64_t>(positive(QStringLiteral("idle/minutes"), kDefaultIdleMinutes)) *
         60;
}

std::int64_t DesktopSettings::overdueLimitSeconds() {
  return static_cast<std::int64_t>(
      positive(QStringLiteral("timer/overdue_hours"), kDefaultOverdueHours) * 3600);
}

}  // namespace tw

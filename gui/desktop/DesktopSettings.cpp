#include "gui/desktop/DesktopSettings.h"

#include <charconv>
#include <optional>
#include <string>

#include "core/Error.h"
#include "core/IniFile.h"
#include "core/XdgFolders.h"

namespace tw {
namespace {

// The setting as a positive number, else fallback (also when the file cannot be read: the
// window then works as without it).
double positive(const char* section, const char* key, double fallback) {
  std::optional<std::string> text;
  try {
    if (const std::optional<IniFile> ini = IniFile::load(XdgFolders::configFile("desktop.ini")))
      text = ini->value(section, key);
  } catch (const Error&) {
    return fallback;
  }
  double value = 0;
  if (!text) return fallback;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  const bool number = error == std::errc() && end == text->data() + text->size();
  return number && value > 0 ? value : fallback;
}

}  // namespace

std::int64_t DesktopSettings::idleLimitSeconds() {
  return static_cast<std::int64_t>(positive("idle", "minutes", kDefaultIdleMinutes)) * 60;
}

std::int64_t DesktopSettings::overdueLimitSeconds() {
  return static_cast<std::int64_t>(positive("timer", "overdue_hours", kDefaultOverdueHours) * 3600);
}

}  // namespace tw

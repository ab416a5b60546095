#include "gui/desktop/DesktopSettings.h"

#include <cmath>

namespace tw {

Settings DesktopSettings::current() {
  return Settings::loadDefault();
}

std::int64_t DesktopSettings::idleLimitSeconds() {
  return std::int64_t{current().idleMinutes()} * 60;
}

std::optional<IdleQuestion::Answer> DesktopSettings::answerOnReturn() {
  const std::string answer = current().onReturn();
  if (answer == "keep") return IdleQuestion::Answer::Keep;
  if (answer == "discard") return IdleQuestion::Answer::Discard;
  if (answer == "restart") return IdleQuestion::Answer::DiscardAndGoOn;
  if (answer == "stop") return IdleQuestion::Answer::Stop;
  return std::nullopt;
}

std::int64_t DesktopSettings::overdueLimitSeconds() {
  return std::llround(current().overdueHours() * 3600);
}

bool DesktopSettings::closeToTray() {
  return current().closeToTray();
}

std::vector<std::string> DesktopSettings::corrections() {
  return current().corrections();
}

}  // namespace tw

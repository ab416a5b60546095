#include "import/ForeignTime.h"

#include "import/ImportError.h"

namespace tw {

std::optional<DateTime> ForeignTime::read(std::string_view text, std::string_view pattern,
                                          std::string* why) {
  const auto refuse = [&](const std::string& reason) -> std::optional<DateTime> {
    if (why) *why = reason;
    return std::nullopt;
  };
  if (text.size() != pattern.size())
    return refuse(ImportError::quoted(text) + " is not " + std::string(pattern));
  int parts[6] = {0, 0, 0, 0, 0, 0};
  constexpr std::string_view kFields = "YMDhms";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t field = kFields.find(pattern[i]);
    if (field == std::string_view::npos) {
      if (text[i] != pattern[i])
        return refuse(ImportError::quoted(text) + " is not " + std::string(pattern));
      continue;
    }
    if (text[i] < '0' || text[i] > '9')
      return refuse(ImportError::quoted(text) + " is not " + std::string(pattern));
    parts[field] = parts[field] * 10 + (text[i] - '0');
  }
  const std::string invalid =
      DateTime::whyInvalid(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
  if (!invalid.empty()) return refuse(ImportError::quoted(text) + ": " + invalid);
  return DateTime::fromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
}

TimeZone::Reading ForeignTime::utc(DateTime reading) {
  const Instant at = Instant::fromLocal(reading, 0);
  return {at, TimeZone::offsetAt(at)};
}

}  // namespace tw

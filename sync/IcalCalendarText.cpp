#include "sync/IcalCalendarText.h"

#include <strings.h>

#include <string>

#include "sync/SyncError.h"

namespace tw {
namespace {

// A line starting with the word (BEGIN: or END:), letter case aside; its name after the colon.
bool starts(std::string_view line, std::string_view word, std::string_view& name) {
  if (line.size() < word.size() || strncasecmp(line.data(), word.data(), word.size()) != 0)
    return false;
  name = line.substr(word.size());
  while (!name.empty() && (name.back() == '\r' || name.back() == ' ')) name.remove_suffix(1);
  return true;
}

bool is(std::string_view name, const char* wanted) {
  return name.size() == std::char_traits<char>::length(wanted) &&
         strncasecmp(name.data(), wanted, name.size()) == 0;
}

}  // namespace

std::vector<IcalCalendarText> IcalCalendarText::split(std::string_view text) {
  std::vector<IcalCalendarText> out;
  int depth = 0;
  std::size_t componentStart = 0;
  std::string_view componentName;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    const std::size_t lineStart = at;
    at = end + 1;
    std::string_view name;
    if (starts(line, "BEGIN:", name)) {
      if (depth == 0 && is(name, "VCALENDAR")) out.emplace_back();
      if (depth == 1) {
        componentStart = lineStart;
        componentName = name;
      }
      if (depth > 0 || is(name, "VCALENDAR")) ++depth;
    } else if (depth > 0 && starts(line, "END:", name)) {
      --depth;
      if (depth != 1) continue;
      while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      const std::string_view component =
          text.substr(componentStart, lineStart + line.size() - componentStart);
      (is(componentName, "VTIMEZONE") ? out.back().timeZones : out.back().items)
          .push_back(component);
    }
  }
  if (out.empty()) throw SyncError("it holds no VCALENDAR");
  if (depth != 0) throw SyncError("a component in it does not end (END: is missing)");
  return out;
}

}  // namespace tw

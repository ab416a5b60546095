#include "tracking/EntryTypeRule.h"

#include <cstdlib>
#include <fstream>

namespace tw {
namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Section names may separate their parts with "\" or "/".
std::string withSlashes(std::string text) {
  for (char& c : text)
    if (c == '\\') c = '/';
  return text;
}

bool hasValue(const std::string& file, const std::string& section, const std::string& key) {
  std::ifstream in(file);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    line = trimmed(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      inSection = withSlashes(line.substr(1, line.size() - 2)) == section;
    } else if (inSection && trimmed(line.substr(0, line.find('='))) == key &&
               line.find('=') != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

EntryTypeRule::EntryTypeRule() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  // Relative values are invalid and ignored, as the base-directory rules say.
  const std::string base =
      config && *config == '/' ? std::string(config) : std::string(home ? home : "") + "/.config";
  file_ = base + "/tallyworks/registry.ini";
}

std::string EntryTypeRule::taskEntryType() const {
  return hasValue(file_, "Software/Microsoft/Shared Tools/Outlook/Journaling/PJ_Task",
                  "Description")
             ? "PJ_Task"
             : "Task";
}

}  // namespace tw

#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

// A small INI file: "[section]" lines, "key = value" lines, and comments starting with ";" or
// "#". Section and key names are compared without regard to case; values are kept as written,
// without the blanks around them.
class IniFile {
 public:
  // Throws SyncError naming the file and the line that is none of these.
  static IniFile parse(std::string_view text, const std::string& fileName);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // The keys of a section, in the order they were written.
  std::vector<std::string> keys(std::string_view section) const;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  std::vector<std::pair<std::string, std::string>> order_;
};

}  // namespace tw

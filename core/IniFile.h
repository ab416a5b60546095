#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

// The one reader of Tallyworks's settings files (sync.ini, desktop.ini, registry.ini):
// "[section]" lines, "name = value" lines, and comments starting with ";" or "#" at the start
// of a line. Section and setting names are compared without regard to case; a value is kept as
// written (";" and "#" inside it included), without the blanks around it, however long.
// Anything else is refused with its line rather than guessed at: a line that is neither, a
// setting before any section or set twice, a NUL byte.
class IniFile {
 public:
  // Larger files are refused: settings files are a few lines.
  static constexpr std::size_t kMostBytes = 1024 * 1024;

  // Throws FormatError naming fileName and the line.
  static IniFile parse(std::string_view text, const std::string& fileName);
  // Nothing when the file does not exist; throws FileError when it cannot be read or is larger
  // than kMostBytes, FormatError as parse does.
  static std::optional<IniFile> load(const std::string& path);

  // s without the blanks (spaces, tabs, carriage returns) around it, as names and values are read.
  static std::string_view trimmed(std::string_view s);
  // Whether two names are the same as the reader takes them: equal, ASCII letter case aside.
  static bool sameName(std::string_view a, std::string_view b);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // The keys of a section, in the order they were written.
  std::vector<std::string> keys(std::string_view section) const;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  std::vector<std::pair<std::string, std::string>> order_;
};

}  // namespace tw

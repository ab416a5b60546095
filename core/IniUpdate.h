#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Changes settings in a settings file as a person would with an editor: the line of each
// setting changed is replaced (or removed), a new one goes to the end of its section (a new
// section to the end of the file), and every other line (comments, other sections, settings
// this program does not know) stays as written. The result must read back with IniFile, and is
// written whole with FileWriter; a new file is made private to the user.
class IniUpdate {
 public:
  struct Change {
    std::string section;
    std::string key;
    // Nothing removes the setting.
    std::optional<std::string> value;
  };

  // The text with the changes made. Throws FormatError when text is no settings file, or a
  // value holds a line break, a NUL byte or blanks at its ends (they would not read back).
  static std::string apply(std::string_view text, const std::vector<Change>& changes);
  // Reads the file at path (none is an empty one), changes it and writes it whole. Throws
  // FileError or FormatError; the file is then unchanged.
  static void write(const std::string& path, const std::vector<Change>& changes);
};

}  // namespace tw

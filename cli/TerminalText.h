#pragma once

#include <string>
#include <string_view>

namespace tw {

// Text made safe to show on a terminal, which would act on control characters instead of
// showing them. Control characters (C0 but tab, CR and LF; DEL; C1 written in UTF-8) become
// escapes such as "\x1b" and "\u009b"; bytes that are not UTF-8 become "\xNN". Everything
// else, backslashes included, stays as it is.
class TerminalText {
 public:
  static std::string escaped(std::string_view text);
  // As escaped, with tab, CR and LF escaped too: text for a message of one line.
  static std::string oneLine(std::string_view text);
  // A field of a tab-separated line (task list, journal list), on a terminal or not: a tab, a
  // line break and a backslash become "\t", "\n" (and "\r") and "\\", other control
  // characters and bytes that are not UTF-8 escapes as in escaped(), so that every line is
  // one record and every tab separates fields.
  static std::string field(std::string_view text);
  // For messages: the text in double quotes, on one line, cut to its first 60 bytes (at a
  // character boundary) and "..." when longer.
  static std::string quoted(std::string_view text);
};

}  // namespace tw

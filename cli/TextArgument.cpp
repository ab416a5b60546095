#include "cli/TextArgument.h"

#include <string>

#include "cli/TerminalText.h"
#include "cli/UsageError.h"

namespace tw {

void TextArgument::name(std::string_view argument, std::string_view text) {
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
    throw UsageError(std::string(argument) + " must not be empty");
  line(argument, text);
}

void TextArgument::line(std::string_view argument, std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      throw UsageError(std::string(argument) + " " + TerminalText::quoted(text) +
                       " holds a control character (such as a tab or a line break)");
    }
  }
}

}  // namespace tw

#pragma once

#include <string_view>

namespace tw {

// Checks of texts given on the command line, by what an entry and a task may hold
// (EntryRules). Each throws UsageError naming the argument.
class TextArgument {
 public:
  // A name, such as a task's subject: not blank, on one line, without control characters.
  static void name(std::string_view argument, std::string_view text);
  // A text on one line, such as categories: without control characters; may be empty.
  static void line(std::string_view argument, std::string_view text);
  // Notes: may also hold tabs and line breaks.
  static void notes(std::string_view argument, std::string_view text);
};

}  // namespace tw

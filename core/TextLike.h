#pragma once

#include <string_view>

namespace tw {

// The wildcard test: true when the whole text matches the pattern, letters compared without
// regard to case as CaseFold compares them (not at all in text that is not valid UTF-8). In the
// pattern "?" is any one character, "*" any run of characters (also none), "#" one digit 0-9,
// "[...]" one character of the list (ranges written low-high),
// "[!...]" one character not in it; everything else matches itself. A text always matches
// itself; otherwise a malformed pattern ("[" without "]") matches nothing. Runs in
// O(text length * pattern length).
class TextLike {
 public:
  static bool matches(std::string_view text, std::string_view pattern);
};

}  // namespace tw

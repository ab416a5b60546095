#pragma once

#include <string_view>

namespace tw {

// The wildcard test of the reporting classes: true when the whole text matches the pattern,
// letters compared without regard to case (CaseFold). In the pattern "?" is any one character,
// "*" any run of characters (also none), "#" one digit 0-9, "[...]" one character of the list
// (ranges written low-high), "[!...]" one character not in it; everything else matches itself.
// A name always matches itself: text and pattern equal without regard to case match even when
// the pattern's wildcards would not. Otherwise a malformed pattern ("[" without "]") matches
// nothing. Runs in O(text length * pattern length).
bool textLike(std::string_view text, std::string_view pattern);

// True when the pattern holds none of "?", "*", "#", "[": then textLike is case-insensitive
// equality.
bool hasWildcards(std::string_view pattern);

}  // namespace tw

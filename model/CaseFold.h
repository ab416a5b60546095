#pragma once

#include <string>
#include <string_view>

namespace tw {

// Case-insensitive comparison of UTF-8 text, one character at a time. Letters are folded to
// lower case for ASCII, Latin-1 Supplement, Latin Extended-A, Greek and Cyrillic (simple
// folding: one character to one character; ß, ŉ and similar expanding folds are left as they
// are). Bytes that are not valid UTF-8 stay distinct characters that equal only themselves.
class CaseFold {
 public:
  // The text as characters: Unicode code points, an invalid byte b as kInvalidBase + b.
  static std::u32string decode(std::string_view text);
  // One character folded to lower case.
  static char32_t fold(char32_t c);
  // decode, then fold every character: equal keys mean texts equal without regard to case.
  static std::u32string key(std::string_view text);
  static bool equal(std::string_view a, std::string_view b);

  static constexpr char32_t kInvalidBase = 0x110000;
};

}  // namespace tw

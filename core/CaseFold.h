#pragma once

#include <string>
#include <string_view>

namespace tw {

// Text compared without regard to letter case, the one way the whole program does it: ICU's
// full Unicode case folding ("Straße" and "STRASSE" are one name). Bytes that are not valid
// UTF-8 are not folded; such a text equals only itself.
class CaseFold {
 public:
  // The folded form of a text: equal keys mean texts equal without regard to case.
  static std::string key(std::string_view text);
  static bool equal(std::string_view a, std::string_view b);

  // One character folded on its own (simple folding), for character-by-character matching.
  static char32_t fold(char32_t c);
  // The text as characters: Unicode code points, an invalid byte b as kInvalidBase + b.
  static std::u32string decode(std::string_view text);

  static constexpr char32_t kInvalidBase = 0x110000;
};

}  // namespace tw

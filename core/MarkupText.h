#pragma once

#include <string>
#include <string_view>

namespace tw {

// Text placed in XML or HTML, as an element's text or an attribute's value: the five characters
// with a meaning there (& < > " ') are written as references, everything else as it is.
class MarkupText {
 public:
  static std::string escaped(std::string_view text);
};

}  // namespace tw

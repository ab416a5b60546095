#pragma once

#include <string>
#include <string_view>

#include "core/Error.h"

namespace tw {

// A file of another program that cannot be imported: the description says where in it and
// why ("line 12: \"start\" is not a text"). Nothing has been imported when it is thrown.
class ImportError : public Error {
 public:
  using Error::Error;

  // A text of the file as a message quotes it: at most 60 bytes, in double quotes.
  static std::string quoted(std::string_view text) {
    constexpr std::size_t kMost = 60;
    if (text.size() <= kMost) return "\"" + std::string(text) + "\"";
    std::size_t cut = kMost;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + std::string(text.substr(0, cut)) + "...\"";
  }
};

}  // namespace tw

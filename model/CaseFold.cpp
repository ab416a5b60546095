#include "model/CaseFold.h"

namespace tw {
namespace {

// Length of the UTF-8 sequence at s[i] and its code point; 0 when the bytes there are not a
// valid, shortest-form sequence.
std::size_t decodeOne(std::string_view s, std::size_t i, char32_t& out) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  std::size_t len = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() - i < len) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  out = cp;
  return len;
}

// Upper case at even code points, lower case at the odd one after it.
char32_t evenPair(char32_t c) {
  return c | 1;
}
// Upper case at odd code points, lower case at the even one after it.
char32_t oddPair(char32_t c) {
  return (c & 1) ? c + 1 : c;
}

char32_t foldLatin(char32_t c) {
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0xB5) return 0x3BC;  // micro sign -> Greek mu
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
    return evenPair(c);
  }
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return oddPair(c);
  if (c == 0x178) return 0xFF;  // Y with diaeresis
  if (c == 0x17F) return 's';   // long s
  return c;
}

char32_t foldGreek(char32_t c) {
  if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 0x20;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c == 0x3C2) return 0x3C3;  // final sigma
  return c;
}

char32_t foldCyrillic(char32_t c) {
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
    return evenPair(c);
  }
  if (c == 0x4C0) return 0x4CF;
  if (c >= 0x4C1 && c <= 0x4CE) return oddPair(c);
  return c;
}

}  // namespace

std::u32string CaseFold::decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t len = decodeOne(text, i, cp);
    if (len == 0) {
      out.push_back(kInvalidBase + b);
      ++i;
    } else {
      out.push_back(cp);
      i += len;
    }
  }
  return out;
}

char32_t CaseFold::fold(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c < 0x180) return foldLatin(c);
  if (c >= 0x370 && c < 0x400) return foldGreek(c);
  if (c >= 0x400 && c < 0x530) return foldCyrillic(c);
  return c;
}

std::u32string CaseFold::key(std::string_view text) {
  std::u32string chars = decode(text);
  for (char32_t& c : chars) c = fold(c);
  return chars;
}

bool CaseFold::equal(std::string_view a, std::string_view b) {
  if (a == b) return true;
  return key(a) == key(b);
}

}  // namespace tw

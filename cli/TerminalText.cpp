#include "cli/TerminalText.h"

#include <cstdio>

namespace tw {
namespace {

constexpr std::size_t kQuotedBytes = 60;

unsigned char byteAt(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]);
}

// The length of the well-formed UTF-8 sequence of more than one byte at i, or 0.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
  const unsigned char lead = byteAt(s, i);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > s.size() || byteAt(s, i + 1) < low || byteAt(s, i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((byteAt(s, i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

void appendEscape(std::string& out, const char* form, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, form, value);
  out += escape;
}

enum class Breaks { Kept, AsHex, AsLetters };

// A tab or line break as a field shows it: "\t", "\n", "\r"; 0 for other bytes.
char letterOf(unsigned char c) {
  if (c == '\t') return 't';
  if (c == '\n') return 'n';
  return c == '\r' ? 'r' : '\0';
}

std::string escape(std::string_view text, Breaks breaks) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = byteAt(text, i);
    if (c < 0x80) {
      const char letter = letterOf(c);
      if (breaks == Breaks::AsLetters && (letter || c == '\\')) {
        out += '\\';
        out += letter ? letter : '\\';
      } else if ((c < 0x20 && !(breaks == Breaks::Kept && letter)) || c == 0x7F) {
        appendEscape(out, "\\x%02x", c);
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    const std::size_t length = sequenceLength(text, i);
    if (length == 0) {
      appendEscape(out, "\\x%02x", c);
      ++i;
    } else if (c == 0xC2 && byteAt(text, i + 1) <= 0x9F) {
      appendEscape(out, "\\u%04x", byteAt(text, i + 1));
      i += 2;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace

std::string TerminalText::escaped(std::string_view text) {
  return escape(text, Breaks::Kept);
}

std::string TerminalText::oneLine(std::string_view text) {
  return escape(text, Breaks::AsHex);
}

std::string TerminalText::field(std::string_view text) {
  return escape(text, Breaks::AsLetters);
}

std::string TerminalText::quoted(std::string_view text) {
  if (text.size() <= kQuotedBytes) return "\"" + oneLine(text) + "\"";
  std::size_t cut = kQuotedBytes;
  while (cut > 0 && (byteAt(text, cut) & 0xC0) == 0x80) --cut;
  return "\"" + oneLine(text.substr(0, cut)) + "...\"";
}

}  // namespace tw

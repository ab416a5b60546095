#include "import/EntryCheck.h"

#include <string_view>

#include "core/DateTimeError.h"

namespace tw {
namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when none starts there.
std::size_t sequenceAt(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i);
  std::size_t n = 0;
  std::uint32_t code = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF)
    n = 2, code = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF)
    n = 3, code = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4)
    n = 4, code = c & 0x07;
  else
    return 0;
  if (i + n > text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i + k) & 0x3F);
  }
  const bool overlong = (n == 3 && code < 0x800) || (n == 4 && code < 0x10000);
  if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

// Why the text may not be stored as the named field, or nothing.
std::string textProblem(std::string_view text, const char* field, std::size_t most, bool lines) {
  if (text.size() > most)
    return std::string("its ") + field + " is longer than " + std::to_string(most) + " bytes";
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = sequenceAt(text, i);
    if (n == 0) return std::string("its ") + field + " is not valid UTF-8";
    const auto c = static_cast<unsigned char>(text[i]);
    const bool allowed = lines && (c == '\n' || c == '\t');
    if (n == 1 && (c < 0x20 || c == 0x7F) && !allowed)
      return std::string("its ") + field + " holds a control character";
    i += n;
  }
  return {};
}

}  // namespace

std::string EntryCheck::problem(const JournalEntry& e) {
  if (e.subject.find_first_not_of(" \t") == std::string::npos) return "its subject is empty";
  for (std::string problem : {textProblem(e.subject, "subject", kMostName, false),
                              textProblem(e.categories, "categories", kMostName * 4, false),
                              textProblem(e.body, "notes", kMostBody, true)})
    if (!problem.empty()) return problem;
  if (e.seconds < 0) return "it ends before it starts";
  if (e.seconds > kMostSeconds)
    return "it lasts longer than " + std::to_string(kMostSeconds / 3600) + " hours";
  if (e.utcOffset < -kMostOffset || e.utcOffset > kMostOffset)
    return "its UTC offset is out of range";
  try {
    e.start.plus(e.seconds).local(e.utcOffset);
    e.localStart();
  } catch (const DateTimeError&) {
    return "its start lies outside the years 100 to 9999";
  }
  return {};
}

}  // namespace tw

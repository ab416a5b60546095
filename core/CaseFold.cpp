#include "core/CaseFold.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <vector>

namespace tw {
namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Marks the key of a text that is not valid UTF-8: no folded valid text starts with 0xFF.
constexpr char kRawKey = '\xFF';

}  // namespace

std::string CaseFold::key(std::string_view text) {
  if (isAscii(text)) {
    std::string key(text);
    for (char& c : key)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return key;
  }
  UErrorCode status = U_ZERO_ERROR;
  int32_t units = 0;
  std::vector<UChar> utf16(text.size() + 1);
  u_strFromUTF8(utf16.data(), static_cast<int32_t>(utf16.size()), &units, text.data(),
                static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return kRawKey + std::string(text);
  // Full folding can make a text up to three times longer.
  std::vector<UChar> folded(static_cast<std::size_t>(units) * 3 + 1);
  const int32_t foldedUnits = u_strFoldCase(folded.data(), static_cast<int32_t>(folded.size()),
                                            utf16.data(), units, U_FOLD_CASE_DEFAULT, &status);
  std::string key(static_cast<std::size_t>(foldedUnits) * 3, '\0');
  int32_t bytes = 0;
  u_strToUTF8(key.data(), static_cast<int32_t>(key.size()), &bytes, folded.data(), foldedUnits,
              &status);
  if (U_FAILURE(status)) return kRawKey + std::string(text);
  key.resize(static_cast<std::size_t>(bytes));
  return key;
}

bool CaseFold::equal(std::string_view a, std::string_view b) {
  return a == b || key(a) == key(b);
}

char32_t CaseFold::fold(char32_t c) {
  if (c >= kInvalidBase) return c;
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

std::u32string CaseFold::decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    const int32_t at = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) {
      // An ill-formed sequence: each of its bytes stays a character of its own.
      for (int32_t k = at; k < i; ++k) out.push_back(kInvalidBase + bytes[k]);
    } else {
      out.push_back(static_cast<char32_t>(c));
    }
  }
  return out;
}

}  // namespace tw

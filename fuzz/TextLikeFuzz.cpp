// libFuzzer target: the wildcard test on arbitrary text and pattern, checked against properties
// that hold for every input. Built by scripts/fuzz, not by the normal build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/CaseFold.h"
#include "core/TextLike.h"

namespace {
bool hasWildcards(std::string_view pattern) {
  return pattern.find_first_of("?*#[") != std::string_view::npos;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first zero byte separates text from pattern.
  const std::size_t cut = input.find('\0');
  const std::string_view text = input.substr(0, cut);
  const std::string_view pattern = cut == std::string_view::npos ? "" : input.substr(cut + 1);

  const bool like = tw::TextLike::matches(text, pattern);
  // A name matches itself, whatever it holds.
  if (!tw::TextLike::matches(pattern, pattern)) std::abort();
  // A pattern without wildcard characters is case-insensitive equality.
  if (!hasWildcards(pattern) && like != tw::CaseFold::equal(text, pattern)) std::abort();
  // "*" matches everything; a leading "*" only widens a pattern that matched by its
  // wildcards (a malformed pattern matches only itself, with or without the star).
  if (!tw::TextLike::matches(text, "*")) std::abort();
  if (like && !tw::CaseFold::equal(text, pattern) &&
      !tw::TextLike::matches(text, "*" + std::string(pattern))) {
    std::abort();
  }
  return 0;
}

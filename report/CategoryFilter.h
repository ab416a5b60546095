#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace tw {

// The report's category test: every entry passes when the category asked for is empty, else
// an entry whose categories text equals it without regard to letter case (CaseFold). Nothing
// is a pattern: "Ticket 42" never takes "Ticket #2". Answers are kept per categories text, for
// journals of many entries and few categories.
class CategoryFilter {
 public:
  explicit CategoryFilter(std::string_view category);
  bool passes(std::string_view categories);

 private:
  std::string key_;
  bool all_;
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, bool, TextHash, std::equal_to<>> seen_;
};

}  // namespace tw

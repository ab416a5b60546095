#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

// Minutes per category name, in order of first addition. Names are equal when they are equal
// without regard to letter case (CaseFold); a name keeps the spelling it was first added with.
// No name is a pattern: "Ticket #2" and "Ticket 42" are two categories.
class CategoryTotals {
 public:
  struct Total {
    std::string name;
    std::int64_t minutes = 0;
  };

  // Adds to the name's total; returns the total's position.
  std::size_t add(std::string_view name, std::int64_t minutes);
  const std::vector<Total>& all() const { return totals_; }

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::vector<Total> totals_;
  std::unordered_map<std::string, std::size_t> byKey_;
  // The exact texts seen, so that folding runs once per spelling.
  std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>> bySpelling_;
};

}  // namespace tw

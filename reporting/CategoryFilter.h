#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace tw {

// The report's category test: passes every entry when the report's Category is empty, else
// an entry whose category, taken as a textLike pattern, matches the report's Category. Results
// are remembered per entry category text, for journals of many entries and few categories.
class CategoryFilter {
 public:
  explicit CategoryFilter(std::string_view reportCategory);
  // The text viewed must outlive the filter.
  bool passes(std::string_view entryCategory);

 private:
  std::string category_;
  std::unordered_map<std::string_view, bool> seen_;
};

}  // namespace tw

#include "core/CategoryList.h"

#include "core/CaseFold.h"

namespace tw {
namespace {

std::string_view trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<std::string_view> CategoryList::split(std::string_view categories) {
  std::vector<std::string_view> out;
  while (true) {
    const std::size_t comma = categories.find(',');
    const std::string_view name = trimmed(categories.substr(0, comma));
    if (!name.empty()) out.push_back(name);
    if (comma == std::string_view::npos) return out;
    categories.remove_prefix(comma + 1);
  }
}

bool CategoryList::names(std::string_view categories, std::string_view name) {
  const std::string key = CaseFold::key(name);
  for (std::string_view n : split(categories))
    if (CaseFold::key(n) == key) return true;
  return false;
}

}  // namespace tw

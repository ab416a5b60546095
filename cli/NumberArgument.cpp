#include "cli/NumberArgument.h"

#include <CLI/CLI.hpp>
#include <charconv>

#include "cli/TerminalText.h"

namespace tw {
namespace {

// 1000000 -> "1,000,000".
std::string grouped(std::int64_t n) {
  std::string digits = std::to_string(n);
  for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > (n < 0 ? 1 : 0); i -= 3)
    digits.insert(static_cast<std::size_t>(i), ",");
  return digits;
}

}  // namespace

CLI::Validator NumberArgument::decimal(std::int64_t lowest, std::int64_t highest) {
  const std::string range = grouped(lowest) + " to " + grouped(highest);
  return CLI::Validator(
      [=](std::string& text) -> std::string {
        const bool negative = !text.empty() && text.front() == '-';
        const std::string_view digits = std::string_view(text).substr(negative ? 1 : 0);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
          return TerminalText::quoted(text) + " is not a whole number in decimal digits (" + range +
                 ")";
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || value < lowest || value > highest)
          return text + " is not in the range " + range;
        text = std::to_string(value);
        return {};
      },
      "", "decimal");
}

}  // namespace tw

#pragma once

#include <cstdint>

namespace CLI {
class Validator;
}  // namespace CLI

namespace tw {

// Whole numbers given on the command line: decimal digits only, so "045" is 45 (never octal)
// and "0x10" or "0b11" is refused in plain words instead of being read in another base.
class NumberArgument {
 public:
  // For an option's transform(): refuses what is not decimal or not in lowest..highest, and
  // hands on the digits without leading zeros.
  static CLI::Validator decimal(std::int64_t lowest, std::int64_t highest);
};

}  // namespace tw

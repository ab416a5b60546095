#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tw::test {

inline bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The text with the first from replaced by to; a from not found fails the test.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from << " in " << text;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace tw::test

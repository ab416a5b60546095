#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tw::test {

// The description of the Error that f throws, or "" when it throws none: a test that looks
// for a part of the description fails as well when nothing was thrown.
template <typename Error, typename F>
std::string failureOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Whether f throws an Error whose description holds part; what it threw, if anything, is
// shown when not.
template <typename Error, typename F>
::testing::AssertionResult failsWith(F&& f, const std::string& part) {
  const std::string what = failureOf<Error>(std::forward<F>(f));
  if (what.find(part) != std::string::npos && !what.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "it threw \"" << what << '"';
}

}  // namespace tw::test

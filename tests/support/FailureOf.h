#pragma once

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

}  // namespace tw::test

#pragma once

#include <QString>
#include <exception>
#include <stdexcept>
#include <string>

namespace tw {

// The description text of a failure, as the window's messages show it.
inline QString describe(const std::exception& failure) {
  return QString::fromStdString(failure.what());
}

// A step of the window that cannot go on (no such task, no entry being timed).
class WindowError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tw

#pragma once

#include <QString>
#include <exception>
#include <stdexcept>

namespace tw {

// A step of a window that cannot go on (no store), with a description for people.
class WindowError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  // The description of any failure, as the windows' messages show it.
  static QString describe(const std::exception& failure) {
    return QString::fromStdString(failure.what());
  }
};

}  // namespace tw

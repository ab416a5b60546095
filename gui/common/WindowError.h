#pragma once

#include <QString>
#include <exception>

#include "core/Error.h"

namespace tw {

// A step of a window that cannot go on (no store), with a description for people.
class WindowError : public Error {
 public:
  using Error::Error;

  // The description of any failure, as the windows' messages show it.
  static QString describe(const std::exception& failure) {
    return QString::fromStdString(failure.what());
  }
};

}  // namespace tw

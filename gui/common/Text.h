#pragma once

#include <QString>
#include <string>

namespace tw {

// A text of the store (UTF-8) as the windows show it.
inline QString text(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace tw

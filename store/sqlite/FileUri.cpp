#include "store/sqlite/FileUri.h"

#include <cstdio>

namespace tw {

std::string FileUri::of(const std::string& path) {
  std::string uri = "file:";
  for (const char c : path) {
    if (c == '?' || c == '#' || c == '%') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
      uri += hex;
    } else {
      uri += c;
    }
  }
  return uri;
}

}  // namespace tw

#pragma once

#include <string_view>

namespace tw {

class Utilities {
 public:
  // True when the text is exactly "Tallyworks Stop", "Tallyworks Start" or "TWEvent".
  static bool isEventMarker(std::string_view text);
};

}  // namespace tw

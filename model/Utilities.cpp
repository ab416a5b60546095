#include "model/Utilities.h"

namespace tw {

bool Utilities::isEventMarker(std::string_view text) {
  return text == "Tallyworks Stop" || text == "Tallyworks Start" || text == "TWEvent";
}

}  // namespace tw

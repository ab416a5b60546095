#include "sync/SyncResult.h"

namespace tw {

std::string SyncResult::summary() const {
  std::string text = "sent " + std::to_string(sent) + ", received " + std::to_string(received) +
                     ", conflicts " + std::to_string(conflicts) + ", deleted " +
                     std::to_string(deleted);
  if (unparsable > 0) text += ", " + std::to_string(unparsable) + " unreadable skipped";
  if (failed > 0) text += ", " + std::to_string(failed) + " refused by the server";
  return text;
}

}  // namespace tw

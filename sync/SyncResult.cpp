#include "sync/SyncResult.h"

namespace tw {

std::string SyncResult::Problem::text() const {
  std::string out = item + ": ";
  out += status == 0 ? "skipped" : "refused (HTTP " + std::to_string(status) + ")";
  return reason.empty() ? out : out + ": " + reason;
}

std::string SyncResult::summary() const {
  std::string text = "sent " + std::to_string(sent) + ", received " + std::to_string(received) +
                     ", conflicts " + std::to_string(conflicts) + ", deleted " +
                     std::to_string(deleted);
  if (unparsable > 0) text += ", " + std::to_string(unparsable) + " unreadable skipped";
  if (foreign > 0) text += ", " + std::to_string(foreign) + " outside the collection skipped";
  if (failed > 0) text += ", " + std::to_string(failed) + " refused by the server";
  if (held > 0) text += ", " + std::to_string(held) + " refused earlier and held";
  return text;
}

}  // namespace tw

#pragma once

#include <string>
#include <vector>

namespace tw {

// What one synchronisation did.
class SyncResult {
 public:
  // Items created or changed on the server.
  int sent = 0;
  // Items created or changed here from the server's versions.
  int received = 0;
  // Items both sides changed in the same field: the server's value was taken and the local
  // version kept as a conflict copy.
  int conflicts = 0;
  // Items deleted, here or on the server.
  int deleted = 0;
  // Objects on the server that could not be read as tasks or entries; skipped.
  int unparsable = 0;
  // Items the server refused; they stay queued.
  int failed = 0;
  // For people: what was skipped or refused, and why.
  std::vector<std::string> problems;

  // "sent 3, received 1, conflicts 0, deleted 2", and what was skipped or refused.
  std::string summary() const;
};

}  // namespace tw

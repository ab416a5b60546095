#pragma once

#include <string>
#include <vector>

namespace tw {

// What one synchronisation did.
class SyncResult {
 public:
  // An item the run skipped or the server refused, for people.
  struct Problem {
    // What it concerns: "journal entry “Layout” of 6/3/2024 9:00:00 AM", or the server's
    // address of an object that is no item of ours.
    std::string item;
    // The HTTP status of a refusal; 0 for an item skipped here.
    int status = 0;
    // Why, in one line: the server's own words for a refusal.
    std::string reason;

    // "journal entry “Layout”: refused (HTTP 403): DTEND must occur after DTSTART"; one line.
    std::string text() const;
  };

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
  // Addresses the server named outside the collection (another calendar, another server);
  // skipped, never stored.
  int foreign = 0;
  // Changes the server refused in this run; they wait in the queue (tallyworks sync queue).
  int failed = 0;
  // Changes refused before that still wait for the user or a new local change.
  int held = 0;
  // What was skipped or refused, and why.
  std::vector<Problem> problems;

  // "sent 3, received 1, conflicts 0, deleted 2", and what was skipped, refused or held.
  std::string summary() const;
};

}  // namespace tw

#pragma once

namespace tw {

// The commands of one area (tasks, the journal, reports, tracking, the store file): they add
// themselves to the parser when made, each bound (CommandChoice) to the function that does it,
// and hold the values the arguments give them. A command throws UsageError for arguments found
// wrong (before the store is touched), other exceptions for failures.
class CommandGroup {
 public:
  virtual ~CommandGroup() = default;
};

}  // namespace tw

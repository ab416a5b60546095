#pragma once

namespace tw {

class CommandContext;

// The commands of one area (tasks, the journal, reports, tracking, the store file): they add
// themselves to the parser when made, and run the one the arguments named.
class CommandGroup {
 public:
  virtual ~CommandGroup() = default;
  // Runs the group's command that was given; false when none of them was. Throws UsageError
  // for arguments found wrong (before the store is touched), other exceptions for failures.
  virtual bool run(CommandContext& context) = 0;
};

}  // namespace tw

#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// bill --client NAME --from DAY --to DAY [--per task|day|entry] [--format text|csv|html]
// [--output FILE] [--mark-invoiced], and invoiced [--undo --client NAME --from DAY --to DAY]:
// a client's bill for a period, and the periods whose entries are locked as invoiced.
class BillingCommands : public CommandGroup {
 public:
  BillingCommands(CLI::App& app, CommandChoice& choice);

 private:
  void bill(CommandContext& context);
  void invoiced(CommandContext& context);

  CLI::App* bill_ = nullptr;
  CLI::App* invoiced_ = nullptr;
  std::string client_, from_, to_, per_, format_ = "text", output_;
  bool mark_ = false;
  bool undo_ = false;
};

}  // namespace tw

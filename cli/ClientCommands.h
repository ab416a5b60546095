#pragma once

#include <optional>
#include <string>

#include "billing/ClientBook.h"
#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;

// client add | edit | list | remove: the category names billed as clients, their currency,
// rates and rounding (billing/ClientBook); and the billing options of task edit.
class ClientCommands : public CommandGroup {
 public:
  ClientCommands(CLI::App& app, CommandChoice& choice);

  // task edit SUBJECT --rate AMOUNT|none --billable yes|no|client.
  static void editTask(CommandContext& context, const std::string& subject,
                       const std::optional<std::string>& rate,
                       const std::optional<std::string>& billable);

 private:
  void add(CommandContext& context);
  void edit(CommandContext& context);
  void list(CommandContext& context);
  void remove(CommandContext& context);
  // The change the options of command give (those not given left empty).
  ClientBook::Change terms(const CLI::App& command) const;

  CLI::App* add_ = nullptr;
  CLI::App* edit_ = nullptr;
  CLI::App* list_ = nullptr;
  CLI::App* remove_ = nullptr;
  std::string name_, newName_, rate_, currency_, from_, mode_, place_, billable_;
  int minutes_ = 0;
};

}  // namespace tw

#pragma once

#include <string>

#include "cli/CommandGroup.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class JournalStore;

// task add | list | status: the task list.
class TaskCommands : public CommandGroup {
 public:
  explicit TaskCommands(CLI::App& task);
  bool run(CommandContext& context) override;

 private:
  void add(CommandContext& context);
  void list(CommandContext& context);
  void setStatus(CommandContext& context);

  CLI::App* addCommand_;
  CLI::App* listCommand_;
  CLI::App* statusCommand_;
  std::string subject_, categories_, pattern_;
  int status_ = 0;
  bool all_ = false;
};

}  // namespace tw

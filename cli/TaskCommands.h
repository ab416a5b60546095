#pragma once

#include <functional>
#include <string>

#include "cli/CommandGroup.h"
#include "store/Task.h"

namespace CLI {
class App;
}  // namespace CLI

namespace tw {

class CommandChoice;
class CommandContext;
class JournalStore;

// task add | list | status | edit | rename | close | reopen | delete: the task list. Subjects are
// matched letter case aside; a command on a subject acts on every task of it, in one transaction.
class TaskCommands : public CommandGroup {
 public:
  TaskCommands(CLI::App& task, CommandChoice& choice);

 private:
  // What a change of the task(s) of the subject sets.
  struct Changes {
    bool status = false;
    bool categories = false;
    bool subject = false;
  };

  void addCommands(CLI::App& task, CommandChoice& choice);
  void add(CommandContext& context);
  void list(CommandContext& context);
  void setStatus(CommandContext& context);
  void edit(CommandContext& context);
  void rename(CommandContext& context);
  void close(CommandContext& context);
  void reopen(CommandContext& context);
  void change(CommandContext& context, Changes changes);
  void remove(CommandContext& context);
  bool given(const CLI::App& command, const char* option) const;
  // The subject given as argument and the categories given: what a task may hold.
  void checkTask(const char* argument, const std::string& subject) const;
  // Runs work on every task of the subject in one transaction; fails when there is none.
  void forEachTask(JournalStore& store, const std::function<void(Task&)>& work) const;

  CLI::App* add_ = nullptr;
  CLI::App* list_ = nullptr;
  CLI::App* status_ = nullptr;
  CLI::App* edit_ = nullptr;
  CLI::App* rename_ = nullptr;
  CLI::App* close_ = nullptr;
  CLI::App* reopen_ = nullptr;
  CLI::App* delete_ = nullptr;
  std::string subject_, newSubject_, categories_, pattern_, rate_, billable_;
  int statusValue_ = 0;
  bool all_ = false;
  bool force_ = false;
};

}  // namespace tw

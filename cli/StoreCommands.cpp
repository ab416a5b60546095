#include "cli/StoreCommands.h"

#include <CLI/CLI.hpp>
#include <stdexcept>

#include "cli/CommandContext.h"

namespace tw {

StoreCommands::StoreCommands(CLI::App& app)
    : backup_(app.add_subcommand("backup",
                                 "Write a consistent, checked copy of the store to "
                                 "FILE, whole or not at all")),
      check_(app.add_subcommand("check",
                                "Check the store file: prints ok, or what is damaged "
                                "(exit code 1)")) {
  backup_->add_option("FILE", file_, "The copy to write")->required();
}

bool StoreCommands::run(CommandContext& context) {
  if (backup_->parsed()) {
    context.refuseStoreFile(file_);
    context.open(StoreOpener::Access::ReadOnly)->backup(file_);
  } else if (check_->parsed()) {
    const std::string result = context.open(StoreOpener::Access::ReadOnly)->check();
    TextOutput output = context.output("");
    output.write(result + '\n');
    output.finish();
    if (result != "ok") throw std::runtime_error("The store is damaged.");
  } else {
    return false;
  }
  return true;
}

}  // namespace tw

// The tallyworks executable: with a command it runs on the command line; without one it starts
// the window program (tallyworks-window) on the store. The command line never loads Qt, so a
// command starts in a fraction of the time and memory the window's libraries would take.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "store/StoreLocation.h"
#include "store/sqlite/SqliteStoreOpener.h"

namespace {

bool hasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// Beside this program in a build folder, in libexec when installed.
std::filesystem::path windowProgram() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path folder = error ? std::filesystem::path(".") : self.parent_path();
  std::filesystem::path beside = folder / "tallyworks-window";
  if (std::filesystem::exists(beside, error)) return beside;
  return folder / ".." / TALLYWORKS_LIBEXEC / "tallyworks" / "tallyworks-window";
}

int openWindow(const std::vector<std::string>& args) {
  std::string store;
  try {
    store = tw::CommandLine::windowStore(args);
    if (store.empty()) store = tw::StoreLocation::defaultPath();
  } catch (const std::exception& e) {
    std::cerr << "tallyworks: " << e.what() << '\n';
    return tw::CommandLine::kUsage;
  }
  if (!hasDisplay()) {
    std::cerr << "tallyworks: no display: the window needs a graphical session (DISPLAY or "
                 "WAYLAND_DISPLAY is not set); see tallyworks --help for the commands that "
                 "run without one\n";
    return tw::CommandLine::kFailure;
  }
  const std::string program = windowProgram().string();
  std::vector<char*> argv{const_cast<char*>("tallyworks"), const_cast<char*>("--store"),
                          store.data(), nullptr};
  ::execv(program.c_str(), argv.data());
  std::cerr << "tallyworks: the window program " << program
            << " cannot be started: " << std::strerror(errno) << '\n';
  return tw::CommandLine::kFailure;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!tw::CommandLine::namesCommand(args)) return openWindow(args);
  const tw::SqliteStoreOpener stores;
  std::ios::sync_with_stdio(false);
  return tw::CommandLine(std::cin, std::cout, std::cerr, stores).run(args);
}

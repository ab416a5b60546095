// The tallyworks executable: with a command it runs on the command line; without one it starts
// the window program (tallyworks-window) on the store, and the calendar's commands (sync, ical)
// it hands to tallyworks-sync with the same arguments. So a command never loads Qt, nor the
// network and calendar libraries (libcurl and its TLS, libical, pugixml) unless it needs them:
// it starts in a fraction of the time and memory those libraries would take.
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

// The helper program name: beside this program in a build folder, in libexec when installed.
std::filesystem::path helperProgram(const char* name) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path folder = error ? std::filesystem::path(".") : self.parent_path();
  std::filesystem::path beside = folder / name;
  if (std::filesystem::exists(beside, error)) return beside;
  return folder / ".." / TALLYWORKS_LIBEXEC / "tallyworks" / name;
}

// Runs the helper program name in place of this process with argv; returns only when it
// cannot.
int runHelper(const char* name, char** argv) {
  const std::string program = helperProgram(name).string();
  ::execv(program.c_str(), argv);
  std::cerr << "tallyworks: the program " << program
            << " cannot be started: " << std::strerror(errno) << '\n';
  return tw::CommandLine::kFailure;
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
  std::vector<char*> argv{const_cast<char*>("tallyworks"), const_cast<char*>("--store"),
                          store.data(), nullptr};
  return runHelper("tallyworks-window", argv.data());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!tw::CommandLine::namesCommand(args)) return openWindow(args);
  if (tw::CommandLine::namesCalendarCommand(args)) return runHelper("tallyworks-sync", argv);
  const tw::SqliteStoreOpener stores;
  std::ios::sync_with_stdio(false);
  return tw::CommandLine(std::cin, std::cout, std::cerr, stores).run(args);
}

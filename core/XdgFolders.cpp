#include "core/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "core/FileError.h"

namespace tw {
namespace {

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
  throw FileError("The user has no home folder: HOME is not set and the user database names none.");
}

// The variable's value when it is an absolute path, else the fallback below the home folder.
std::string baseFolder(const char* variable, const char* belowHome) {
  if (const char* value = std::getenv(variable); value && *value == '/') return value;
  return homeFolder() + belowHome;
}

}  // namespace

std::string XdgFolders::configHome() {
  return baseFolder("XDG_CONFIG_HOME", "/.config");
}

std::string XdgFolders::dataHome() {
  return baseFolder("XDG_DATA_HOME", "/.local/share");
}

std::string XdgFolders::configFile(std::string_view name) {
  return configHome() + "/tallyworks/" + std::string(name);
}

}  // namespace tw

#include "store/StoreLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "store/StoreError.h"

namespace tw {
namespace {

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  throw StoreError("The store file cannot be found: the user has no home folder.");
}

}  // namespace

std::string StoreLocation::defaultPath() {
  if (const char* store = std::getenv("TALLYWORKS_STORE"); store && *store) return store;
  const char* data = std::getenv("XDG_DATA_HOME");
  // Relative values are invalid and ignored, as the base-directory rules say.
  const std::string base =
      data && *data == '/' ? std::string(data) : homeFolder() + "/.local/share";
  return base + "/tallyworks/tallyworks.db";
}

}  // namespace tw

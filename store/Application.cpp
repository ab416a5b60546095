#include "store/Application.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

#include "store/Connection.h"
#include "store/NameSpace.h"
#include "store/StoreError.h"

namespace tw {
namespace {

std::mutex gPathMutex;
std::string gDefaultPath;

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  throw StoreError("The store file cannot be found: the user has no home folder.");
}

}  // namespace

Application::Application() : Application(defaultStorePath()) {}

Application::Application(const std::string& storePath)
    : connection_(std::make_shared<Connection>(storePath)) {}

Application::~Application() {
  connection_->release();
}

NameSpace Application::GetNamespace(const std::string& type) {
  if (type != "MAPI") throw StoreError("Unknown namespace \"" + type + "\"; only \"MAPI\" exists.");
  return NameSpace(connection_);
}

std::string Application::defaultStorePath() {
  {
    const std::lock_guard lock(gPathMutex);
    if (!gDefaultPath.empty()) return gDefaultPath;
  }
  if (const char* store = std::getenv("TALLYWORKS_STORE"); store && *store) return store;
  const char* data = std::getenv("XDG_DATA_HOME");
  // Relative values are invalid and ignored, as the base-directory rules say.
  const std::string base =
      data && *data == '/' ? std::string(data) : homeFolder() + "/.local/share";
  return base + "/tallyworks/tallyworks.db";
}

void Application::setDefaultStorePath(const std::string& path) {
  const std::lock_guard lock(gPathMutex);
  gDefaultPath = path;
}

void Application::setBusyTimeout(int milliseconds) {
  Connection::setBusyTimeout(milliseconds);
}

}  // namespace tw

#pragma once

#include <memory>
#include <string>

namespace tw {

class Connection;
class NameSpace;

// Entry point to the store: opens one connection to the store file. Destroying the
// Application releases its connection; items taken from it stay usable on their own.
class Application {
 public:
  // The default store: $TALLYWORKS_STORE, else $XDG_DATA_HOME/tallyworks/tallyworks.db
  // (~/.local/share/tallyworks/tallyworks.db when XDG_DATA_HOME is unset).
  Application();
  explicit Application(const std::string& storePath);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Only "MAPI" is known; anything else throws StoreError.
  NameSpace GetNamespace(const std::string& type);

  // The path the default constructor opens; a path set by setDefaultStorePath wins over the
  // environment (the command line's --store uses it).
  static std::string defaultStorePath();
  static void setDefaultStorePath(const std::string& path);
  // How long a call waits for a store another program is writing before it fails with the
  // "locked" error; 3000 ms unless set.
  static void setBusyTimeout(int milliseconds);

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace tw

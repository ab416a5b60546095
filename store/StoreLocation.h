#pragma once

#include <string>

namespace tw {

// Where the user's store lives unless told otherwise.
class StoreLocation {
 public:
  // $TALLYWORKS_STORE, else $XDG_DATA_HOME/tallyworks/tallyworks.db
  // (~/.local/share/tallyworks/tallyworks.db when XDG_DATA_HOME is unset or relative).
  static std::string defaultPath();
};

}  // namespace tw

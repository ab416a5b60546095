#pragma once

#include <string>

namespace tw {

// Where the user's store lives unless told otherwise.
class StoreLocation {
 public:
  // $TALLYWORKS_STORE, else tallyworks/tallyworks.db in the user's data folder
  // (XdgFolders::dataHome). Throws FileError when there is no home folder to find it in.
  static std::string defaultPath();
};

}  // namespace tw

#pragma once

#include <memory>

namespace tw {

class Connection;
class MAPIFolder;

inline constexpr int olFolderJournal = 11;
inline constexpr int olFolderTasks = 13;

class NameSpace {
 public:
  explicit NameSpace(std::shared_ptr<Connection> connection);
  // olFolderJournal (11) or olFolderTasks (13); anything else throws StoreError.
  MAPIFolder GetDefaultFolder(int folder);

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace tw

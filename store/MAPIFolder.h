#pragma once

#include <memory>

namespace tw {

class Connection;
class Items;

class MAPIFolder {
 public:
  MAPIFolder(std::shared_ptr<Connection> connection, int folder);
  // A fresh view of the folder's items: insertion order, no restriction.
  class Items Items() const;
  int folderId() const { return folder_; }
  // The store behind the folder, for the store's own fast paths (JournalReader, JournalBatch).
  const std::shared_ptr<Connection>& connection() const { return connection_; }

 private:
  std::shared_ptr<Connection> connection_;
  int folder_;
};

}  // namespace tw

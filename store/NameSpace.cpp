#include "store/NameSpace.h"

#include <string>

#include "store/MAPIFolder.h"
#include "store/StoreError.h"

namespace tw {

NameSpace::NameSpace(std::shared_ptr<Connection> connection) : connection_(std::move(connection)) {}

MAPIFolder NameSpace::GetDefaultFolder(int folder) {
  if (folder != olFolderJournal && folder != olFolderTasks)
    throw StoreError("There is no default folder " + std::to_string(folder) +
                     "; the store has the Journal (11) and the Tasks (13).");
  return MAPIFolder(connection_, folder);
}

}  // namespace tw

#include "store/MAPIFolder.h"

#include "store/Items.h"

namespace tw {

MAPIFolder::MAPIFolder(std::shared_ptr<Connection> connection, int folder)
    : connection_(std::move(connection)), folder_(folder) {}

Items MAPIFolder::Items() const {
  return tw::Items(connection_, folder_);
}

}  // namespace tw

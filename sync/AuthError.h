#pragma once

#include "sync/SyncError.h"

namespace tw {

// The server refused the user name or the password (HTTP 401): trying elsewhere will not help.
class AuthError : public SyncError {
 public:
  using SyncError::SyncError;
};

}  // namespace tw

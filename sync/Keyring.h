#pragma once

#include <optional>
#include <string>

namespace tw {

// The calendar account's password in the desktop's keyring, through the Secret Service
// (libsecret on the session bus): one item per server address and user name, labelled
// "Tallyworks: USER on SERVER". Calls wait for the keyring, which may ask the user to unlock
// it: the window makes them off its own thread.
class Keyring {
 public:
  // Nothing when no item is kept, or when no keyring answers on the session bus (a headless
  // machine). Throws SyncError when the keyring refuses or fails.
  static std::optional<std::string> password(const std::string& server, const std::string& user);
  // Keeps password, replacing the one kept before. Throws SyncError.
  static void store(const std::string& server, const std::string& user,
                    const std::string& password);
  // Removes the item, if any. Throws SyncError.
  static void forget(const std::string& server, const std::string& user);
};

}  // namespace tw

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The [server] section of $XDG_CONFIG_HOME/tallyworks/sync.ini:
//   url = https://example.org/dav/calendars/alice/     (calendar home or principal)
//   username = alice
//   password_command = pass show caldav                (or password_file = PATH, mode 0600)
//   tasks = https://example.org/dav/calendars/alice/tasks/       (optional)
//   timelog = https://example.org/dav/calendars/alice/timelog/   (optional)
class SyncConfig {
 public:
  std::string url;
  std::string username;
  std::string passwordCommand;
  std::string passwordFile;
  // The task (VTODO) and time log (VEVENT) collections; found or made below url when empty.
  std::string tasks;
  std::string timelog;

  // $XDG_CONFIG_HOME/tallyworks/sync.ini, ~/.config/tallyworks/sync.ini when that is unset.
  static std::string defaultPath();
  // Nothing when the file does not exist; throws SyncError when it cannot be read or is wrong.
  static std::optional<SyncConfig> load(const std::string& path);
  static SyncConfig parse(std::string_view text, const std::string& fileName);

  // The password from the command's first line of output or the file's first line; empty when
  // neither is configured (no authentication). Throws SyncError when the command fails or the
  // file may be read by others.
  std::string password() const;

 private:
  std::string commandPassword() const;
  std::string filePassword() const;
};

}  // namespace tw

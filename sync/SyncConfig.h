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
//   ca_file = /home/alice/server.pem   (optional: a certificate trusted for this server)
// Addresses are http:// or https:// only.
class SyncConfig {
 public:
  std::string url;
  std::string username;
  std::string passwordCommand;
  std::string passwordFile;
  // A certificate or CA bundle (PEM) trusted for this server besides the system's; a relative
  // path is read from the folder of sync.ini.
  std::string caFile;
  // How long the password command may take.
  int passwordSeconds = 30;
  // The task (VTODO) and time log (VEVENT) collections; found or made below url when empty.
  std::string tasks;
  std::string timelog;

  // $XDG_CONFIG_HOME/tallyworks/sync.ini, ~/.config/tallyworks/sync.ini when that is unset.
  static std::string defaultPath();
  // Nothing when the file does not exist; throws SyncError when it cannot be read or is wrong.
  static std::optional<SyncConfig> load(const std::string& path);
  static SyncConfig parse(std::string_view text, const std::string& fileName);

  // The password from the command's first line of output or the file's first line; empty when
  // neither is configured (a server that asks for none). Throws SyncError when the command
  // fails or takes longer than passwordSeconds, when the file may be read by others, and when
  // either gives an empty first line.
  std::string password() const;

 private:
  std::string commandPassword() const;
  std::string filePassword() const;
};

}  // namespace tw

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class IniFile;

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

  // sync.ini in the user's settings folder (XdgFolders::configFile).
  static std::string defaultPath();
  // Nothing when the file does not exist; throws SyncError when the settings are wrong, and as
  // IniFile::load does when the file cannot be read or is no settings file.
  static std::optional<SyncConfig> load(const std::string& path);
  // Throws as load does.
  static SyncConfig parse(std::string_view text, const std::string& fileName);

  // The password from the command's first line of output or the file's first line; empty when
  // neither is configured (a server that asks for none). Throws SyncError when the command
  // fails or takes longer than passwordSeconds, when the file may be read by others, and when
  // either gives an empty first line.
  std::string password() const;

 private:
  static SyncConfig of(const IniFile& ini, const std::string& fileName);
  std::string commandPassword() const;
  std::string filePassword() const;
};

}  // namespace tw

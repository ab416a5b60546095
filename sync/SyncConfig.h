#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class IniFile;

// The calendar account: the [server] section of the settings file (Settings), or of sync.ini
// beside it where earlier versions kept it:
//   url = https://example.org/dav/calendars/alice/     (calendar home or principal)
//   username = alice
//   password_command = pass show caldav                (or password_file = PATH, mode 0600)
//   tasks = https://example.org/dav/calendars/alice/tasks/       (optional)
//   task_lists = https://example.org/dav/calendars/alice/tasks/ https://…/home/   (optional)
//   timelog = https://example.org/dav/calendars/alice/timelog/   (optional)
//   ca_file = /home/alice/server.pem   (optional: a certificate trusted for this server)
// Addresses are http:// or https:// only. Without password_command and password_file the
// password is the one the keyring keeps for url and username (Keyring), when there is one.
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
  // The task lists shown and synchronised, besides tasks (which takes the tasks made here):
  // addresses separated by blanks. Empty: tasks alone, and the window offers every task.
  std::vector<std::string> taskLists;

  // The file that holds the account: the settings file when it has a [server] section (or
  // when neither file exists), else sync.ini in the user's settings folder.
  static std::string defaultPath();
  // Nothing when the file does not exist or has no [server] section; throws SyncError when the
  // settings are wrong, and as IniFile::load does when the file cannot be read or is no
  // settings file.
  static std::optional<SyncConfig> load(const std::string& path);
  // The account of the user's settings: load(defaultPath()).
  static std::optional<SyncConfig> loadDefault() { return load(defaultPath()); }
  // Throws as load does.
  static SyncConfig parse(std::string_view text, const std::string& fileName);

  // The lists whose tasks the window offers (tasks among them); empty when every task is
  // offered (no lists were chosen).
  std::vector<std::string> shownTaskLists() const;
  // The list new tasks go to: tasks, else the first of taskLists; empty when it is the
  // server's "tasks" list, found or made.
  std::string newTaskList() const;

  // The password from the command's first line of output or the file's first line, else the
  // keyring's; empty when there is none (a server that asks for none). Throws SyncError when the
  // command fails or takes longer than passwordSeconds, when the file may be read by others,
  // when either gives an empty first line, and when the keyring fails.
  std::string password() const;

 private:
  static SyncConfig of(const IniFile& ini, const std::string& fileName);
  std::string commandPassword() const;
  std::string filePassword() const;
};

}  // namespace tw

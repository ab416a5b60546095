#include "sync/SyncConfig.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "sync/IniFile.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

struct Setting {
  const char* key;
  std::string SyncConfig::*field;
};

constexpr std::array<Setting, 6> kSettings{{
    {"url", &SyncConfig::url},
    {"username", &SyncConfig::username},
    {"password_command", &SyncConfig::passwordCommand},
    {"password_file", &SyncConfig::passwordFile},
    {"tasks", &SyncConfig::tasks},
    {"timelog", &SyncConfig::timelog},
}};

std::string firstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

std::string readAll(const std::string& path, const std::string& what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SyncError("cannot read " + what + " " + path + ": " + std::strerror(errno));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::string SyncConfig::defaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/tallyworks/sync.ini";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config/tallyworks/sync.ini";
}

std::optional<SyncConfig> SyncConfig::load(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 && errno == ENOENT) return std::nullopt;
  return parse(readAll(path, "the synchronisation settings"), path);
}

SyncConfig SyncConfig::parse(std::string_view text, const std::string& fileName) {
  const IniFile ini = IniFile::parse(text, fileName);
  SyncConfig config;
  for (const std::string& key : ini.keys("server")) {
    const Setting* setting = nullptr;
    for (const Setting& s : kSettings)
      if (key == s.key) setting = &s;
    if (!setting)
      throw SyncError(fileName + ": [server] has no setting \"" + key +
                      "\" (known: url, username, password_command, password_file, tasks, "
                      "timelog)");
    config.*(setting->field) = *ini.value("server", key);
  }
  if (config.url.empty() && (config.tasks.empty() || config.timelog.empty()))
    throw SyncError(fileName + ": [server] needs url = the address of your calendars");
  if (!config.passwordCommand.empty() && !config.passwordFile.empty())
    throw SyncError(fileName + ": give either password_command or password_file, not both");
  return config;
}

std::string SyncConfig::password() const {
  if (!passwordCommand.empty()) return commandPassword();
  if (!passwordFile.empty()) return filePassword();
  return {};
}

std::string SyncConfig::commandPassword() const {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(passwordCommand.c_str(), "r"), pclose);
  if (!pipe)
    throw SyncError("cannot run the password command \"" + passwordCommand +
                    "\": " + std::strerror(errno));
  std::string output;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
    output.append(buffer.data(), n);
  const int status = pclose(pipe.release());
  if (status != 0)
    throw SyncError("the password command \"" + passwordCommand + "\" failed" +
                    (WIFEXITED(status)
                         ? " (exit status " + std::to_string(WEXITSTATUS(status)) + ")"
                         : std::string()));
  return firstLine(output);
}

std::string SyncConfig::filePassword() const {
  struct stat st {};
  if (stat(passwordFile.c_str(), &st) != 0)
    throw SyncError("cannot read the password file " + passwordFile + ": " + std::strerror(errno));
  if (!S_ISREG(st.st_mode))
    throw SyncError("the password file " + passwordFile + " is " +
                    (S_ISDIR(st.st_mode) ? "a folder" : "no regular file") +
                    "; password_file names the file that holds the password");
  if ((st.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    throw SyncError("the password file " + passwordFile + " may be read by others (mode " + mode +
                    "); it must be yours alone: chmod 600 " + passwordFile);
  }
  return firstLine(readAll(passwordFile, "the password file"));
}

}  // namespace tw

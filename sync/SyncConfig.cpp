#include "sync/SyncConfig.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "core/Error.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/XdgFolders.h"
#include "sync/Href.h"
#include "sync/Keyring.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

struct Setting {
  const char* key;
  std::string SyncConfig::*field;
};

constexpr std::array<Setting, 7> kSettings{{
    {"url", &SyncConfig::url},
    {"username", &SyncConfig::username},
    {"password_command", &SyncConfig::passwordCommand},
    {"password_file", &SyncConfig::passwordFile},
    {"tasks", &SyncConfig::tasks},
    {"timelog", &SyncConfig::timelog},
    {"ca_file", &SyncConfig::caFile},
}};

// More task lists than anyone shows at once: a bound on what a hand-edited file may ask for.
constexpr std::size_t kMaxTaskLists = 64;

// The addresses of a task_lists value, each once, in the order given.
std::vector<std::string> taskListsOf(const std::string& value, const std::string& where) {
  std::vector<std::string> lists;
  std::size_t at = 0;
  while ((at = value.find_first_not_of(" \t", at)) != std::string::npos) {
    const std::size_t end = std::min(value.find_first_of(" \t", at), value.size());
    std::string url = value.substr(at, end - at);
    at = end;
    Href::checkWebAddress(url, where);
    url = Href::asCollection(std::move(url));
    if (std::find(lists.begin(), lists.end(), url) != lists.end()) continue;
    if (lists.size() == kMaxTaskLists)
      throw SyncError(where + " names more than " + std::to_string(kMaxTaskLists) + " lists");
    lists.push_back(std::move(url));
  }
  return lists;
}

// What a password command may print: its first line is the password.
constexpr std::size_t kMaxOutput = 64 * 1024;

std::string firstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

std::string readAll(const std::string& path, const std::string& what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SyncError("cannot read " + what + " " + path + ": " + std::strerror(errno));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads fd to its end or for at most seconds, whichever comes first, keeping kMaxOutput bytes;
// false when the time ran out.
bool readFor(int fd, int seconds, std::string& output) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  std::array<char, 4096> buffer;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return ready < 0;
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
    if (output.size() < kMaxOutput) output.append(buffer.data(), static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string SyncConfig::defaultPath() {
  std::string settings = Settings::defaultPath();
  std::string old = XdgFolders::configFile("sync.ini");
  try {
    const std::optional<IniFile> ini = IniFile::load(settings);
    if (ini && !ini->keys("server").empty()) return settings;
  } catch (const Error&) {
    // Reading it again in load() reports why it cannot be read.
    return settings;
  }
  return access(old.c_str(), F_OK) == 0 ? old : settings;
}

std::optional<SyncConfig> SyncConfig::load(const std::string& path) {
  const std::optional<IniFile> ini = IniFile::load(path);
  // The settings file without an account: nothing to synchronise with.
  if (!ini || ini->keys("server").empty()) return std::nullopt;
  SyncConfig config = of(*ini, path);
  if (!config.caFile.empty() && config.caFile.front() != '/') {
    const std::size_t slash = path.rfind('/');
    config.caFile =
        (slash == std::string::npos ? "." : path.substr(0, slash)) + "/" + config.caFile;
  }
  if (!config.caFile.empty() && access(config.caFile.c_str(), R_OK) != 0)
    throw SyncError(path + ": cannot read ca_file " + config.caFile + ": " + std::strerror(errno));
  return config;
}

SyncConfig SyncConfig::parse(std::string_view text, const std::string& fileName) {
  return of(IniFile::parse(text, fileName), fileName);
}

SyncConfig SyncConfig::of(const IniFile& ini, const std::string& fileName) {
  SyncConfig config;
  for (const std::string& key : ini.keys("server")) {
    if (key == "task_lists") {
      config.taskLists = taskListsOf(*ini.value("server", key), fileName + ": task_lists");
      continue;
    }
    const Setting* setting = nullptr;
    for (const Setting& s : kSettings)
      if (key == s.key) setting = &s;
    if (!setting)
      throw SyncError(fileName + ": [server] has no setting \"" + key +
                      "\" (known: url, username, password_command, password_file, tasks, "
                      "task_lists, timelog, ca_file)");
    config.*(setting->field) = *ini.value("server", key);
  }
  if (config.url.empty() && (config.tasks.empty() || config.timelog.empty()))
    throw SyncError(fileName + ": [server] needs url = the address of your calendars");
  if (!config.passwordCommand.empty() && !config.passwordFile.empty())
    throw SyncError(fileName + ": give either password_command or password_file, not both");
  for (const auto& [key, value] : {std::pair{"url", &config.url}, std::pair{"tasks", &config.tasks},
                                   std::pair{"timelog", &config.timelog}})
    if (!value->empty()) Href::checkWebAddress(*value, fileName + ": " + key);
  // The form a task's list is kept in, so that the lists shown compare equal to it.
  if (!config.tasks.empty()) config.tasks = Href::asCollection(config.tasks);
  return config;
}

std::vector<std::string> SyncConfig::shownTaskLists() const {
  std::vector<std::string> shown = taskLists;
  if (!shown.empty() && !tasks.empty() &&
      std::find(shown.begin(), shown.end(), tasks) == shown.end())
    shown.push_back(tasks);
  return shown;
}

std::string SyncConfig::newTaskList() const {
  return tasks.empty() && !taskLists.empty() ? taskLists.front() : tasks;
}

std::string SyncConfig::password() const {
  if (!passwordCommand.empty()) return commandPassword();
  if (!passwordFile.empty()) return filePassword();
  if (!username.empty()) return Keyring::password(url, username).value_or("");
  return {};
}

std::string SyncConfig::commandPassword() const {
  const std::string shown = "the password command \"" + passwordCommand + "\"";
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0)
    throw SyncError("cannot run " + shown + ": " + std::strerror(errno));
  const pid_t pid = fork();
  if (pid == 0) {
    // Its own process group, so that whatever it starts ends with it.
    setpgid(0, 0);
    dup2(out[1], 1);
    execl("/bin/sh", "sh", "-c", passwordCommand.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  if (pid < 0) {
    close(out[0]);
    throw SyncError("cannot run " + shown + ": " + std::strerror(errno));
  }
  std::string output;
  const bool finished = readFor(out[0], passwordSeconds, output);
  close(out[0]);
  if (!finished) kill(-pid, SIGKILL);
  int status = 0;
  pid_t waited = 0;
  do {
    waited = waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (!finished)
    throw SyncError(shown + " gave no password within " + std::to_string(passwordSeconds) +
                    " s; it was stopped");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw SyncError(shown + " failed" +
                    (WIFEXITED(status)
                         ? " (exit status " + std::to_string(WEXITSTATUS(status)) + ")"
                         : std::string()));
  std::string password = firstLine(output);
  if (password.empty()) throw SyncError(shown + " printed no password (its first line is empty)");
  return password;
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
  std::string password = firstLine(readAll(passwordFile, "the password file"));
  if (password.empty())
    throw SyncError("the password file " + passwordFile +
                    " holds no password (its first line is empty)");
  return password;
}

}  // namespace tw

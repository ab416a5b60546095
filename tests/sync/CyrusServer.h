#pragma once

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/Loopback.h"
#include "tests/support/TempFolder.h"

namespace tw::test {

// A real Cyrus IMAP server (Debian's cyrus-imapd and cyrus-caldav) serving CalDAV on 127.0.0.1,
// with a configuration and storage of its own in a temporary folder: nothing in /etc is read.
// Any user name logs in with any password (SASL's alwaystrue); user(name) makes the account
// (its INBOX, through one IMAP login), after which Cyrus makes its calendar home. As root,
// Cyrus runs its services as the user "cyrus", which then owns the folder; as another user it
// runs as that user.
class CyrusServer {
 public:
  static constexpr const char* kMaster = "/usr/lib/cyrus/bin/master";

  CyrusServer() {
    const std::string dir = folder_.path().string();
    for (const char* sub :
         {"conf", "conf/db", "conf/socket", "conf/proc", "conf/lock", "conf/log", "spool", "run"})
      std::filesystem::create_directories(folder_.file(sub));
    httpPort_ = Loopback::freePort();
    imapPort_ = Loopback::freePort();
    writeBytes(folder_.file("imapd.conf"),
               "configdirectory: " + dir + "/conf\npartition-default: " + dir +
                   "/spool\ndefaultpartition: default\nservername: 127.0.0.1\nadmins: admin\n"
                   "sasl_pwcheck_method: alwaystrue\nallowplaintext: 1\nautocreate_quota: 0\n"
                   "httpmodules: caldav\nhttpallowcompress: 0\nsyslog_prefix: tallyworks-test\n"
                   "idlesocket: " +
                   dir + "/run/idle\nnotifysocket: " + dir + "/run/notify\nlmtpsocket: " + dir +
                   "/run/lmtp\n");
    const std::string conf = "-C " + dir + "/imapd.conf";
    writeBytes(folder_.file("cyrus.conf"),
               "START {\n  recover cmd=\"ctl_cyrusdb " + conf +
                   " -r\"\n}\nSERVICES {\n"
                   "  imap cmd=\"imapd " +
                   conf + "\" listen=\"127.0.0.1:" + std::to_string(imapPort_) +
                   "\" prefork=0\n  http cmd=\"httpd " + conf + "\" listen=\"127.0.0.1:" +
                   std::to_string(httpPort_) + "\" prefork=1\n}\nEVENTS {\n}\n");
    if (geteuid() == 0) {
      const passwd* cyrus = getpwnam("cyrus");
      if (!cyrus) throw std::runtime_error("Cyrus is not installed (no user cyrus)");
      for (const auto& e : std::filesystem::recursive_directory_iterator(folder_.path()))
        chown(e.path().c_str(), cyrus->pw_uid, cyrus->pw_gid);
      chown(dir.c_str(), cyrus->pw_uid, cyrus->pw_gid);
    }
    start();
  }
  ~CyrusServer() { stop(); }
  CyrusServer(const CyrusServer&) = delete;
  CyrusServer& operator=(const CyrusServer&) = delete;

  static bool installed() { return access(kMaster, X_OK) == 0; }

  // The calendar home of the user, made on first use.
  std::string url(const std::string& user) {
    login(user);
    return "http://127.0.0.1:" + std::to_string(httpPort_) + "/dav/calendars/user/" + user + "/";
  }

 private:
  void start() {
    const std::string dir = folder_.path().string();
    pid_ = Loopback::spawn({kMaster, "-C", dir + "/imapd.conf", "-M", dir + "/cyrus.conf", "-p",
                            dir + "/run/master.pid", "-D"},
                           folder_.file("master.log"), [] {
                             setpgid(0, 0);
                             const passwd* me = getpwuid(geteuid());
                             if (geteuid() != 0 && me) setenv("CYRUS_USER", me->pw_name, 1);
                           });
    if (Loopback::awaitListening(pid_, {httpPort_, imapPort_}, 400)) return;
    stop();
    throw std::runtime_error("Cyrus did not start: " + readBytes(folder_.file("master.log")));
  }

  void stop() {
    Loopback::stop(pid_, true);
    pid_ = 0;
  }

  // One IMAP login, which makes the user's INBOX.
  void login(const std::string& user) {
    const int s = Loopback::connectTo(imapPort_);
    if (s < 0) throw std::runtime_error("Cyrus's IMAP service does not answer");
    const std::string command = "a LOGIN " + user + " secret\r\nb LOGOUT\r\n";
    std::string answer;
    if (write(s, command.data(), command.size()) == static_cast<ssize_t>(command.size())) {
      char buffer[4096];
      for (ssize_t n;
           answer.find("b OK") == std::string::npos && (n = read(s, buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    close(s);
    if (answer.find("a OK") == std::string::npos)
      throw std::runtime_error("Cyrus refused the login of " + user + ": " + answer);
  }

  TempFolder folder_;
  int httpPort_ = 0;
  int imapPort_ = 0;
  pid_t pid_ = 0;
};

}  // namespace tw::test

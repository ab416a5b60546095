#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/Loopback.h"
#include "tests/support/TempFolder.h"

namespace tw::test {

// A real Radicale (Debian's python3-radicale) on 127.0.0.1 with a throwaway storage folder,
// without the packaged configuration. With users ("name:password" lines) it asks for
// passwords; without, it takes anyone. With tls it serves https:// with a self-signed
// certificate made for it (certificate()). Stopped with the object; stop() and start() again
// keep the port and the storage, as a server that went away and came back.
class RadicaleServer {
 public:
  // Another program may take the free port before Radicale does: then it tries another.
  explicit RadicaleServer(std::string users = {}, bool tls = false)
      : users_(std::move(users)), tls_(tls) {
    if (tls_ &&
        std::system(("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                     "-days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout " +
                     folder_.file("key.pem") + " -out " + certificate() + " 2>/dev/null")
                        .c_str()) != 0)
      throw std::runtime_error("openssl could not make a certificate");
    for (int attempt = 1;; ++attempt) {
      port_ = Loopback::freePort();
      try {
        start();
        return;
      } catch (const std::runtime_error&) {
        if (attempt == 3) throw;
      }
    }
  }
  ~RadicaleServer() { stop(); }
  RadicaleServer(const RadicaleServer&) = delete;
  RadicaleServer& operator=(const RadicaleServer&) = delete;

  std::string url(const std::string& path = "/alice/") const {
    return (tls_ ? "https" : "http") + std::string("://127.0.0.1:") + std::to_string(port_) + path;
  }
  std::string certificate() const { return folder_.file("certificate.pem"); }
  std::string storage() const { return folder_.file("storage"); }

  void start() {
    std::vector<std::string> args{
        TW_SYSTEM_PYTHON, "-m",      "radicale",
        "--config",       "",        "--storage-filesystem-folder",
        storage(),        "--hosts", "127.0.0.1:" + std::to_string(port_)};
    if (tls_)
      args.insert(args.end(), {"--ssl", "True", "--certificate", certificate(), "--key",
                               folder_.file("key.pem")});
    if (users_.empty()) {
      args.insert(args.end(), {"--auth-type", "none"});
    } else {
      writeBytes(folder_.file("users"), users_);
      args.insert(args.end(),
                  {"--auth-type", "htpasswd", "--auth-htpasswd-filename", folder_.file("users"),
                   "--auth-htpasswd-encryption", "plain", "--auth-delay", "0"});
    }
    pid_ = Loopback::spawn(args, folder_.file("radicale.log"));
    if (Loopback::awaitListening(pid_, {port_}, 600)) return;
    stop();
    throw std::runtime_error("Radicale did not start: " + readBytes(folder_.file("radicale.log")));
  }

  // Asks Radicale to end, and ends it when it has not after five seconds.
  void stop() {
    Loopback::stop(pid_);
    pid_ = 0;
  }

 private:
  TempFolder folder_;
  std::string users_;
  bool tls_ = false;
  int port_ = 0;
  pid_t pid_ = 0;
};

}  // namespace tw::test

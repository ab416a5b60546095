#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

// What the harnesses of real servers on 127.0.0.1 share: a free port, a connection to one, and
// a child server started, awaited, and ended politely, then by force.
class Loopback {
 public:
  static int freePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = address(0);
    socklen_t length = sizeof a;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) != 0)
      throw std::runtime_error("no free port");
    close(s);
    return ntohs(a.sin_port);
  }

  // A connected socket, or -1 when nothing listens on the port.
  static int connectTo(int port) {
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in a = address(port);
    if (connect(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0) return s;
    close(s);
    return -1;
  }

  static bool listening(int port) {
    const int s = connectTo(port);
    if (s >= 0) close(s);
    return s >= 0;
  }

  // Runs args (the program found on PATH) as a child with its output appended to log; inChild
  // runs in the child before the program.
  static pid_t spawn(std::vector<std::string> args, const std::string& log,
                     const std::function<void()>& inChild = {}) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    dup2(fd, 1);
    dup2(fd, 2);
    if (inChild) inChild();
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }

  // Polls until every port is listened on (true), the child ended (false, and pid is 0), or
  // attempts polls 25 ms apart have passed (false).
  static bool awaitListening(pid_t& pid, std::initializer_list<int> ports, int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
      if (std::all_of(ports.begin(), ports.end(), listening)) return true;
      if (waitpid(pid, nullptr, WNOHANG) == pid) return (pid = 0), false;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }

  // Sends SIGTERM and waits five seconds for the child to end; then SIGKILL to the child (and,
  // with group, to its process group) and waits for it.
  static void stop(pid_t pid, bool group = false) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    bool ended = false;
    for (int attempt = 0; attempt < 200 && !ended; ++attempt) {
      ended = waitpid(pid, nullptr, WNOHANG) == pid;
      if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    if (group) kill(-pid, SIGKILL);
    if (!ended) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

 private:
  static sockaddr_in address(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
  }
};

}  // namespace tw::test

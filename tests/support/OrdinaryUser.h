#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace tw::test {

// File permissions do not bind the superuser, so checks of them run in a child process that
// is an ordinary user ("nobody") when this process is the superuser, and this user otherwise.
// Returns "" when body ran through, else the text of what it threw.
inline std::string asOrdinaryUser(const std::function<void()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    std::string failure;
    try {
      if (geteuid() == 0 &&
          (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        throw std::runtime_error("cannot become an ordinary user");
      body();
    } catch (const std::exception& e) {
      failure = e.what();
    }
    if (!failure.empty() && write(fds[1], failure.data(), failure.size()) < 0) _exit(2);
    _exit(failure.empty() ? 0 : 1);
  }
  close(fds[1]);
  std::string failure;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) failure.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (failure.empty() && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) failure = "child died";
  return failure;
}

// Throws what unless the condition holds: the assertion of a body run by asOrdinaryUser.
inline void require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

}  // namespace tw::test

#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <string>

namespace tw::test {

// The reading end of a named pipe, open before anything writes to it, so that a writer's open
// never waits and a test never hangs: what() gives what was written once the writer closed it,
// or what came within ten seconds.
class FifoReader {
 public:
  explicit FifoReader(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
  ~FifoReader() {
    if (fd_ >= 0) ::close(fd_);
  }
  FifoReader(const FifoReader&) = delete;
  FifoReader& operator=(const FifoReader&) = delete;

  std::string what() const {
    std::string got;
    pollfd p{fd_, POLLIN, 0};
    char buffer[4096];
    while (::poll(&p, 1, 10'000) > 0) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }

 private:
  int fd_;
};

}  // namespace tw::test

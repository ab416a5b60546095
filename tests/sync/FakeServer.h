#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <strings.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tw::test {

// A small HTTP/1.1 server on 127.0.0.1 in the test's own process, answering each request as a
// handler says, also in the ways a hostile or broken server does: never, a byte at a time, or
// without end. One connection at a time, each closed after its answer.
class FakeServer {
 public:
  struct Request {
    std::string method;
    std::string path;
    std::vector<std::string> headers;
    std::string body;

    std::string header(const std::string& name) const {
      for (const std::string& h : headers)
        if (h.size() > name.size() && strncasecmp(h.c_str(), name.c_str(), name.size()) == 0 &&
            h[name.size()] == ':')
          return h.substr(h.find_first_not_of(' ', name.size() + 1));
      return {};
    }
  };

  struct Reply {
    // Silent reads the request and never answers; Trickle sends the status line, then a byte
    // every 100 ms; Huge sends a body of hugeBytes without saying its length.
    enum class Way { Whole, Silent, Trickle, Huge };
    int status = 200;
    std::vector<std::string> headers;
    std::string body;
    Way way = Way::Whole;
    std::size_t hugeBytes = 0;
  };

  using Handler = std::function<Reply(const Request&)>;

  explicit FakeServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &length) != 0)
      throw std::runtime_error("the fake server cannot listen");
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~FakeServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  FakeServer(const FakeServer&) = delete;
  FakeServer& operator=(const FakeServer&) = delete;

  std::string url(const std::string& path = "/alice/") const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  std::vector<Request> requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  // Waits for fd to be ready for events; false when the server stops first.
  bool wait(int fd, short events) const {
    pollfd p{fd, events, 0};
    while (!stop_)
      if (poll(&p, 1, 20) > 0) return true;
    return false;
  }

  void serve() {
    while (wait(listener_, POLLIN)) {
      const int c = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (c < 0) continue;
      Request request;
      if (read(c, request)) {
        {
          std::lock_guard<std::mutex> lock(mutex_);
          requests_.push_back(request);
        }
        answer(c, handler_(request));
      }
      close(c);
    }
  }

  bool read(int c, Request& r) const {
    std::string data;
    std::size_t headerEnd = std::string::npos;
    std::size_t need = 0;
    char buffer[65536];
    while (headerEnd == std::string::npos || data.size() < headerEnd + 4 + need) {
      if (!wait(c, POLLIN)) return false;
      const ssize_t n = recv(c, buffer, sizeof buffer, 0);
      if (n <= 0) return false;
      data.append(buffer, static_cast<std::size_t>(n));
      if (headerEnd == std::string::npos &&
          (headerEnd = data.find("\r\n\r\n")) != std::string::npos) {
        parseHead(data.substr(0, headerEnd), r);
        const std::string length = r.header("Content-Length");
        need = length.empty() ? 0 : std::stoul(length);
      }
    }
    r.body = data.substr(headerEnd + 4, need);
    return true;
  }

  static void parseHead(const std::string& head, Request& r) {
    std::size_t at = head.find("\r\n");
    const std::string line = head.substr(0, at);
    r.method = line.substr(0, line.find(' '));
    r.path = line.substr(line.find(' ') + 1, line.rfind(' ') - line.find(' ') - 1);
    while (at != std::string::npos && at + 2 < head.size()) {
      const std::size_t next = head.find("\r\n", at + 2);
      r.headers.push_back(head.substr(at + 2, next == std::string::npos ? next : next - at - 2));
      at = next;
    }
  }

  bool send(int c, const std::string& data) const {
    for (std::size_t done = 0; done < data.size();) {
      if (!wait(c, POLLOUT)) return false;
      const ssize_t n = ::send(c, data.data() + done, data.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  void answer(int c, const Reply& r) const {
    std::string head = "HTTP/1.1 " + std::to_string(r.status) + " Fake\r\nConnection: close\r\n";
    for (const std::string& h : r.headers) head += h + "\r\n";
    switch (r.way) {
      case Reply::Way::Whole:
        send(c, head + "Content-Length: " + std::to_string(r.body.size()) + "\r\n\r\n" + r.body);
        return;
      case Reply::Way::Silent:
        for (char byte = 0; wait(c, POLLIN) && recv(c, &byte, 1, 0) > 0;) continue;
        return;
      case Reply::Way::Trickle:
        if (!send(c, head + "Content-Length: 1000000\r\n\r\n")) return;
        while (!stop_ && send(c, "<")) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return;
      case Reply::Way::Huge: {
        if (!send(c, head + "\r\n" + r.body)) return;
        const std::string filler(65536, ' ');
        std::size_t sent = 0;
        while (sent < r.hugeBytes && send(c, filler)) sent += filler.size();
        return;
      }
    }
  }

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
};

}  // namespace tw::test

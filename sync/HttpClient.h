#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {

// HTTP(S) requests with any verb through libcurl: connections are kept alive between requests,
// and performAll sends several requests at once. One thread uses a client at a time.
class HttpClient {
 public:
  struct Request {
    std::string method;
    std::string url;
    // "Name: value" lines.
    std::vector<std::string> headers;
    std::string body;
  };

  struct Response {
    // 0 when no answer came; error then says why.
    long status = 0;
    std::string etag;
    std::string body;
    std::string error;
  };

  // Gets each response with the index of its request, in the order they finish.
  using Done = std::function<void(std::size_t index, Response response)>;

  // What a server may make a request do; past a bound the request fails with a message.
  struct Limits {
    // From sending the request to the end of its answer.
    long seconds = 60;
    // The answer's body, as it arrives and after decompression.
    std::size_t answerBytes = 64 * 1024 * 1024;
    long redirects = 5;
    // A certificate (or CA bundle) trusted for this server besides the system's; "" for none.
    std::string caFile;
  };

  // With a user name, requests carry Basic authentication; the password is kept only here.
  // Only http:// and https:// addresses are followed.
  HttpClient(std::string username, std::string password, int parallel, Limits limits);
  HttpClient(std::string username, std::string password, int parallel);
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // Asked while requests are on their way (at least every 100 ms) and between answers: when it
  // says true, what is under way is abandoned and performAll throws SyncError.
  void stopWhen(std::function<bool()> stop) { stop_ = std::move(stop); }

  Response perform(const Request& request);
  // Keeps up to `parallel` requests on their way. What done throws ends the run and leaves the
  // client ready for more.
  void performAll(const std::vector<Request>& requests, const Done& done);
  // Whether a password is given (for messages).
  bool hasPassword() const { return !password_.empty(); }
  // Requests answered or failed since the client was made.
  std::size_t requestCount() const { return count_; }

 private:
  struct Transfer;
  class Run;

  std::unique_ptr<Transfer> start(const Request& request, std::size_t index);
  // Why a transfer failed, for people; code is its CURLcode.
  std::string failure(int code, const Transfer& t) const;

  std::string username_;
  std::string password_;
  int parallel_;
  Limits limits_;
  void* multi_;
  std::vector<void*> idle_;
  std::size_t count_ = 0;
  std::function<bool()> stop_;
};

}  // namespace tw

#include "sync/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

#include "sync/SyncError.h"

namespace tw {
namespace {

void initialiseCurlOnce() {
  static const bool initialised = [] {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
      throw SyncError("the HTTP library (libcurl) could not be initialised");
    return true;
  }();
  (void)initialised;
}

std::size_t appendBody(char* data, std::size_t size, std::size_t n, void* out) {
  static_cast<std::string*>(out)->append(data, size * n);
  return size * n;
}

std::size_t readEtag(char* data, std::size_t size, std::size_t n, void* out) {
  std::string_view line(data, size * n);
  constexpr std::string_view kName = "etag:";
  if (line.size() > kName.size() &&
      std::equal(kName.begin(), kName.end(), line.begin(),
                 [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); })) {
    line.remove_prefix(kName.size());
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
      line.remove_prefix(1);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
      line.remove_suffix(1);
    *static_cast<std::string*>(out) = line;
  }
  return size * n;
}

}  // namespace

struct HttpClient::Transfer {
  CURL* easy = nullptr;
  curl_slist* headers = nullptr;
  std::string body;
  std::size_t index = 0;
  Response response;
  char error[CURL_ERROR_SIZE] = {};

  ~Transfer() { curl_slist_free_all(headers); }
};

// The transfers of one performAll: every easy handle goes back to the idle pool at the end,
// whatever happens.
class HttpClient::Run {
 public:
  explicit Run(HttpClient& client) : client_(client) {}
  ~Run() {
    for (auto& [easy, transfer] : active_) finish(easy);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  void add(std::unique_ptr<Transfer> t) {
    CURL* easy = t->easy;
    active_.emplace(easy, std::move(t));
    curl_multi_add_handle(client_.multi_, easy);
  }
  std::size_t size() const { return active_.size(); }

  std::unique_ptr<Transfer> take(CURL* easy) {
    auto it = active_.find(easy);
    std::unique_ptr<Transfer> t = std::move(it->second);
    active_.erase(it);
    finish(easy);
    return t;
  }

 private:
  void finish(CURL* easy) {
    curl_multi_remove_handle(client_.multi_, easy);
    client_.idle_.push_back(easy);
  }

  HttpClient& client_;
  std::map<CURL*, std::unique_ptr<Transfer>> active_;
};

HttpClient::HttpClient(std::string username, std::string password, int parallel)
    : username_(std::move(username)),
      password_(std::move(password)),
      parallel_(std::max(1, parallel)),
      multi_(nullptr) {
  initialiseCurlOnce();
  multi_ = curl_multi_init();
  if (!multi_) throw SyncError("the HTTP library (libcurl) could not start");
  curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, static_cast<long>(parallel_));
}

HttpClient::~HttpClient() {
  for (void* easy : idle_) curl_easy_cleanup(easy);
  curl_multi_cleanup(multi_);
}

std::unique_ptr<HttpClient::Transfer> HttpClient::start(const Request& request, std::size_t index) {
  auto t = std::make_unique<Transfer>();
  t->index = index;
  t->body = request.body;
  if (idle_.empty()) {
    t->easy = curl_easy_init();
    if (!t->easy) throw SyncError("the HTTP library (libcurl) could not start a request");
  } else {
    t->easy = idle_.back();
    idle_.pop_back();
    curl_easy_reset(t->easy);
  }
  CURL* e = t->easy;
  for (const std::string& h : request.headers)
    t->headers = curl_slist_append(t->headers, h.c_str());
  t->headers = curl_slist_append(t->headers, "Expect:");
  curl_easy_setopt(e, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, t->headers);
  if (request.method != "GET") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, request.method.c_str());
  if (!t->body.empty() || request.method == "PUT") {
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, t->body.c_str());
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(t->body.size()));
  }
  if (!username_.empty()) {
    curl_easy_setopt(e, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    curl_easy_setopt(e, CURLOPT_USERNAME, username_.c_str());
    curl_easy_setopt(e, CURLOPT_PASSWORD, password_.c_str());
  }
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(e, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, 20L);
  curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, 300L);
  curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t->error);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &t->response.body);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, readEtag);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, &t->response.etag);
  return t;
}

HttpClient::Response HttpClient::perform(const Request& request) {
  Response out;
  performAll({request}, [&](std::size_t, Response r) { out = std::move(r); });
  return out;
}

void HttpClient::performAll(const std::vector<Request>& requests, const Done& done) {
  Run run(*this);
  std::size_t next = 0;
  while (next < requests.size() || run.size() > 0) {
    while (next < requests.size() && run.size() < static_cast<std::size_t>(parallel_)) {
      run.add(start(requests[next], next));
      ++next;
    }
    int running = 0;
    CURLMcode rc = curl_multi_perform(multi_, &running);
    bool finished = false;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi_, &left)) {
      if (msg->msg != CURLMSG_DONE) continue;
      finished = true;
      const CURLcode result = msg->data.result;
      std::unique_ptr<Transfer> t = run.take(msg->easy_handle);
      ++count_;
      if (result == CURLE_OK) {
        curl_easy_getinfo(t->easy, CURLINFO_RESPONSE_CODE, &t->response.status);
      } else {
        t->response.error = *t->error ? t->error : curl_easy_strerror(result);
        t->response.body.clear();
      }
      done(t->index, std::move(t->response));
    }
    if (rc == CURLM_OK && !finished) rc = curl_multi_poll(multi_, nullptr, 0, 1000, nullptr);
    if (rc != CURLM_OK)
      throw SyncError(std::string("the HTTP library (libcurl) failed: ") + curl_multi_strerror(rc));
  }
}

}  // namespace tw

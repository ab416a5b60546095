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

// The answer's body, bounded.
struct Body {
  std::string text;
  std::size_t limit = 0;
  bool tooLarge = false;
};

std::size_t appendBody(char* data, std::size_t size, std::size_t n, void* out) {
  auto* body = static_cast<Body*>(out);
  if (body->text.size() + size * n > body->limit) {
    body->tooLarge = true;
    return 0;
  }
  body->text.append(data, size * n);
  return size * n;
}

std::string megabytes(std::size_t bytes) {
  return std::to_string(bytes / (1024 * 1024)) + " MB";
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
  Body answer;
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

HttpClient::HttpClient(std::string username, std::string password, int parallel, Limits limits)
    : username_(std::move(username)),
      password_(std::move(password)),
      parallel_(std::max(1, parallel)),
      limits_(std::move(limits)),
      multi_(nullptr) {
  initialiseCurlOnce();
  multi_ = curl_multi_init();
  if (!multi_) throw SyncError("the HTTP library (libcurl) could not start");
  curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, static_cast<long>(parallel_));
}

HttpClient::HttpClient(std::string username, std::string password, int parallel)
    : HttpClient(std::move(username), std::move(password), parallel, Limits()) {}

HttpClient::~HttpClient() {
  for (void* easy : idle_) curl_easy_cleanup(easy);
  curl_multi_cleanup(multi_);
}

std::string HttpClient::failure(int code, const Transfer& t) const {
  const auto result = static_cast<CURLcode>(code);
  std::string detail = *t.error ? t.error : curl_easy_strerror(result);
  if (t.answer.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
    return "its answer was larger than " + megabytes(limits_.answerBytes) + ", which is refused";
  if (result == CURLE_OPERATION_TIMEDOUT)
    return "no complete answer within " + std::to_string(limits_.seconds) + " s (" + detail + ")";
  if (result == CURLE_TOO_MANY_REDIRECTS)
    return "it redirected more than " + std::to_string(limits_.redirects) +
           " times, which is refused";
  if (result == CURLE_UNSUPPORTED_PROTOCOL)
    return "it sent an address that is neither http:// nor https:// (" + detail + ")";
  if (result == CURLE_PEER_FAILED_VERIFICATION || result == CURLE_SSL_CACERT_BADFILE)
    return "its certificate is not trusted (" + detail +
           "); if it is your own server, name its certificate with ca_file = PATH in the account's "
           "settings";
  return detail;
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
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, limits_.redirects);
  curl_easy_setopt(e, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, std::min(20L, limits_.seconds));
  curl_easy_setopt(e, CURLOPT_TIMEOUT, limits_.seconds);
  curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.answerBytes));
  if (!limits_.caFile.empty()) curl_easy_setopt(e, CURLOPT_CAINFO, limits_.caFile.c_str());
  curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t->error);
  t->answer.limit = limits_.answerBytes;
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &t->answer);
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
    if (stop_ && stop_()) throw SyncError("the synchronisation was cancelled");
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
        t->response.body = std::move(t->answer.text);
      } else {
        t->response.error = failure(result, *t);
      }
      done(t->index, std::move(t->response));
    }
    if (rc == CURLM_OK && !finished)
      rc = curl_multi_poll(multi_, nullptr, 0, stop_ ? 100 : 1000, nullptr);
    if (rc != CURLM_OK)
      throw SyncError(std::string("the HTTP library (libcurl) failed: ") + curl_multi_strerror(rc));
  }
}

}  // namespace tw

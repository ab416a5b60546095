#include "sync/Href.h"

#include <curl/curl.h>

#include <cctype>
#include <memory>

#include "sync/SyncError.h"

namespace tw {
namespace {

using Url = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;
using CurlText = std::unique_ptr<char, decltype(&curl_free)>;

Url parse(const std::string& url) {
  Url u(curl_url(), curl_url_cleanup);
  if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
    throw SyncError("\"" + url + "\" is not a web address (http://... or https://...)");
  return u;
}

std::string part(CURLU* u, CURLUPart which) {
  char* text = nullptr;
  if (curl_url_get(u, which, &text, 0) != CURLUE_OK) return {};
  return CurlText(text, curl_free).get();
}

// (libcurl reads a length of 0 as "up to the terminating zero".)
std::string escaped(std::string_view segment) {
  if (segment.empty()) return {};
  CurlText e(curl_easy_escape(nullptr, segment.data(), static_cast<int>(segment.size())),
             curl_free);
  return e ? std::string(e.get()) : std::string(segment);
}

std::string unescaped(std::string_view segment) {
  if (segment.empty()) return {};
  int length = 0;
  CurlText u(curl_easy_unescape(nullptr, segment.data(), static_cast<int>(segment.size()), &length),
             curl_free);
  return u ? std::string(u.get(), static_cast<std::size_t>(length)) : std::string(segment);
}

std::string canonicalPath(std::string_view path) {
  std::string out;
  for (;;) {
    const std::size_t slash = path.find('/');
    out += escaped(unescaped(path.substr(0, slash)));
    if (slash == std::string_view::npos) return out;
    out += '/';
    path.remove_prefix(slash + 1);
  }
}

}  // namespace

std::string Href::resolve(const std::string& base, const std::string& href) {
  Url u = parse(base);
  if (curl_url_set(u.get(), CURLUPART_URL, href.c_str(), 0) != CURLUE_OK)
    throw SyncError("the server named \"" + href + "\", which is no address");
  return part(u.get(), CURLUPART_URL);
}

std::string Href::path(const std::string& urlOrPath) {
  if (!urlOrPath.empty() && urlOrPath.front() == '/') return canonicalPath(urlOrPath);
  return canonicalPath(part(parse(urlOrPath).get(), CURLUPART_PATH));
}

std::string Href::member(const std::string& collectionUrl, std::string_view uid) {
  return path(asCollection(collectionUrl)) + escaped(uid) + ".ics";
}

std::string Href::withoutPassword(const std::string& url) {
  Url u(curl_url(), curl_url_cleanup);
  if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    // No URL libcurl reads: whatever stands between "user:" and "@" goes.
    const std::size_t scheme = url.find("://");
    const std::size_t from = scheme == std::string::npos ? 0 : scheme + 3;
    const std::size_t at = url.find('@', from);
    const std::size_t colon = url.find(':', from);
    if (at == std::string::npos || colon > at || url.find('/', from) < at) return url;
    return url.substr(0, colon) + url.substr(at);
  }
  curl_url_set(u.get(), CURLUPART_PASSWORD, nullptr, 0);
  return part(u.get(), CURLUPART_URL);
}

std::string Href::asCollection(std::string url) {
  if (url.empty() || url.back() != '/') url += '/';
  return url;
}

std::string Href::origin(const std::string& urlOrPath) {
  if (!urlOrPath.empty() && urlOrPath.front() == '/') return {};
  Url u = parse(urlOrPath);
  char* port = nullptr;
  std::string portText;
  if (curl_url_get(u.get(), CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK)
    portText = CurlText(port, curl_free).get();
  std::string out = part(u.get(), CURLUPART_SCHEME) + "://" + part(u.get(), CURLUPART_HOST);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out + ":" + portText;
}

bool Href::isMember(std::string_view collectionPath, std::string_view path) {
  if (collectionPath.empty() || collectionPath.back() != '/' ||
      path.substr(0, collectionPath.size()) != collectionPath)
    return false;
  const std::string_view segment = path.substr(collectionPath.size());
  if (segment.empty() || segment.find('/') != std::string_view::npos) return false;
  const std::string decoded = unescaped(segment);
  return decoded != "." && decoded != ".." && decoded.find('/') == std::string::npos &&
         decoded.find('\0') == std::string::npos;
}

void Href::checkWebAddress(const std::string& url, const std::string& setting) {
  Url u(curl_url(), curl_url_cleanup);
  const bool parsed = u && curl_url_set(u.get(), CURLUPART_URL, url.c_str(), 0) == CURLUE_OK;
  std::string scheme = parsed ? part(u.get(), CURLUPART_SCHEME) : std::string();
  for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!parsed || (scheme != "http" && scheme != "https") || part(u.get(), CURLUPART_HOST).empty())
    throw SyncError(setting + " = " + withoutPassword(url) +
                    " is not the address of a calendar server: give an http:// or https:// "
                    "address");
}

}  // namespace tw

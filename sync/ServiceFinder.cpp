#include "sync/ServiceFinder.h"

#include <algorithm>
#include <cctype>

#include "sync/AuthError.h"
#include "sync/DnsResolver.h"
#include "sync/Href.h"
#include "sync/ServerText.h"

namespace tw {
namespace {

// A path a TXT record may give: absolute, printable, short.
bool goodPath(const std::string& path) {
  return !path.empty() && path.front() == '/' && path.size() <= 1024 &&
         std::all_of(path.begin(), path.end(),
                     [](unsigned char c) { return c > 0x20 && c < 0x7f && c != '?' && c != '#'; });
}

// "host" or "host:port", letters, digits, "-" and "." only.
bool goodDomain(const std::string& domain) {
  const std::size_t colon = domain.find(':');
  const std::string host = domain.substr(0, colon);
  const std::string port = colon == std::string::npos ? "1" : domain.substr(colon + 1);
  return DnsResolver::isHostName(host) && !port.empty() && port.size() <= 5 &&
         std::all_of(port.begin(), port.end(), [](unsigned char c) { return std::isdigit(c); }) &&
         std::stoi(port) > 0 && std::stoi(port) < 65536;
}

}  // namespace

std::vector<std::string> ServiceFinder::candidates(const std::string& typed) {
  std::string address = typed;
  address.erase(0, address.find_first_not_of(" \t"));
  address.erase(address.find_last_not_of(" \t") + 1);
  if (address.starts_with("http://") || address.starts_with("https://")) {
    Href::checkWebAddress(address, "the server address");
    return {address};
  }
  const std::string domain = address.substr(address.rfind('@') + 1);
  if (!goodDomain(domain))
    throw SyncError("\"" + ServerText::oneLine(typed) +
                    "\" is no server address: type the server's address (https://...), its "
                    "host name or your e-mail address there");
  std::vector<std::string> out;
  if (domain.find(':') == std::string::npos) {
    addServices(domain, "https", out);
    // Plain HTTP only where the domain offers no HTTPS at all: a server that fails over HTTPS
    // never gets the password in clear.
    if (out.empty()) addServices(domain, "http", out);
  }
  out.push_back("https://" + domain + "/.well-known/caldav");
  return out;
}

void ServiceFinder::addServices(const std::string& domain, const std::string& scheme,
                                std::vector<std::string>& out) {
  const std::string service = (scheme == "https" ? "_caldavs._tcp." : "_caldav._tcp.") + domain;
  std::string path = "/.well-known/caldav";
  for (const std::string& text : dns_.texts(service))
    if (text.starts_with("path=") && goodPath(text.substr(5))) path = text.substr(5);
  for (const DnsResolver::Service& s : dns_.services(service))
    out.push_back(scheme + "://" + s.host + ":" + std::to_string(s.port) + path);
}

ServiceFinder::Found ServiceFinder::find(const std::string& address) {
  std::string failures;
  for (const std::string& url : candidates(address)) {
    try {
      DavClient dav(http_, url);
      Found found{url, dav.calendarHome(url), {}};
      found.calendars = dav.calendarList(found.home);
      return found;
    } catch (const AuthError&) {
      throw;
    } catch (const SyncError& e) {
      failures += std::string(failures.empty() ? "" : "; ") + e.what();
    }
  }
  throw SyncError("No calendar server was found for \"" + ServerText::oneLine(address) +
                  "\": " + failures);
}

}  // namespace tw

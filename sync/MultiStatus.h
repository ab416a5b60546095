#pragma once

#include <map>
#include <string>
#include <vector>

namespace tw {

// A WebDAV multi-status answer (RFC 4918), read with pugixml; element names are matched by
// namespace and local name, whatever prefixes the server chose. Property names are written
// "{namespace}local", e.g. "{DAV:}getetag".
class MultiStatus {
 public:
  static constexpr const char* kDav = "DAV:";
  static constexpr const char* kCalDav = "urn:ietf:params:xml:ns:caldav";
  static constexpr const char* kCalendarServer = "http://calendarserver.org/ns/";

  struct Property {
    // The text inside, trimmed.
    std::string text;
    // The canonical paths of the DAV:href elements inside that are addresses on this server
    // (paths, or URLs with this origin as Href::origin gives it).
    std::vector<std::string> hrefs;
    // The DAV:href elements that name another server, or nothing that is an address.
    std::vector<std::string> elsewhere;
    // The names of the elements inside.
    std::vector<std::string> children;
    // Their name attributes, where they have one (the comps of a calendar's components).
    std::vector<std::string> names;
  };

  struct Response {
    // The canonical path; empty when the DAV:href is no address.
    std::string href;
    // The server the DAV:href names (Href::origin): "" for a path, "?" for no address.
    std::string origin;
    // The response's own status (a removed member of a sync-collection answers 404); 0 when
    // the status is given per property.
    int status = 0;
    // The properties the server found (status 200).
    std::map<std::string, Property> found;

    const std::string& text(const std::string& name) const;
    bool has(const std::string& name) const { return found.count(name) > 0; }
  };

  // Throws SyncError when the body is no multi-status document. origin: the server's, which
  // property hrefs must name.
  static MultiStatus parse(const std::string& body, const std::string& origin = {});

  const std::vector<Response>& responses() const { return responses_; }
  // The DAV:sync-token of a sync-collection answer.
  const std::string& syncToken() const { return syncToken_; }

  static std::string name(const char* ns, const char* local) {
    return std::string("{") + ns + "}" + local;
  }

 private:
  std::vector<Response> responses_;
  std::string syncToken_;
};

}  // namespace tw

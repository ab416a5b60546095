#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sync/HttpClient.h"
#include "sync/SyncResult.h"

namespace tw {

class MultiStatus;

// The CalDAV requests of the synchronisation (RFC 4791, 4918, 6578) on one server. Addresses
// of resources are canonical paths (Href); collections are full URLs. A request that gets no
// answer, or an answer refusing the user name or password, throws SyncError. Messages name
// the server without a password the address may hold. Only what lies directly inside the
// collection asked about is taken from an answer: other addresses (another calendar, another
// server) are left out and noted as problems.
class DavClient {
 public:
  struct Member {
    std::string href;
    std::string etag;
  };

  // Why a sync-collection report brought no changes.
  enum class Refusal {
    None,
    // The server no longer knows the token: ask again without one.
    Token,
    // The server has no sync-collection report for the collection.
    Report,
    // The collection is gone.
    Gone,
  };

  struct Changes {
    std::vector<Member> changed;
    std::vector<std::string> removed;
    std::string token;
    // The server sent part of the changes; ask again with the new token for the rest.
    bool truncated = false;
    Refusal refused = Refusal::None;
  };

  struct Calendar {
    std::string url;
    // Its display name, one line of at most kMaxNameBytes; empty when it has none.
    std::string name;
    // The components it takes ("VTODO", "VEVENT"); empty when it names none (it takes any).
    std::vector<std::string> components;
  };

  struct Resource {
    std::string href;
    std::string etag;
    std::string ical;
  };

  // How many resources one calendar-multiget asks for.
  static constexpr std::size_t kBatch = 100;
  // How many principals the search for the calendar home follows.
  static constexpr int kMaxHops = 5;
  // A calendar's display name is cut there (a name, never a text to keep whole).
  static constexpr std::size_t kMaxNameBytes = 200;

  // serverUrl: any address on the server (the configured url), for messages and to resolve
  // paths against. What answers hold outside the collections goes to notes, when given.
  DavClient(HttpClient& http, std::string serverUrl, SyncResult* notes = nullptr);

  HttpClient& http() { return http_; }
  std::string urlOf(const std::string& href) const;

  // The calendar home of the principal or home at url (RFC 4791 section 6.2.1), through at
  // most kMaxHops principals.
  std::string calendarHome(const std::string& url, int hops = 0);
  // The calendars in a calendar home.
  std::vector<Calendar> calendarList(const std::string& homeUrl);
  // Their URLs.
  std::vector<std::string> calendars(const std::string& homeUrl);
  void makeCalendar(const std::string& url, const std::string& displayName,
                    const std::string& component);

  // The members changed or removed since token ("" for every member), one page of them, or
  // why the server gave none. Throws SyncError for any other failure (a server error, no
  // answer), so that a passing fault changes nothing.
  Changes changesSince(const std::string& collectionUrl, const std::string& token);
  // The collection's ctag (calendarserver.org getctag, else its DAV:sync-token); nothing when
  // the collection does not exist.
  std::optional<std::string> ctag(const std::string& collectionUrl);
  // Every calendar object in the collection with its ETag.
  std::vector<Member> members(const std::string& collectionUrl);
  // The objects at these paths with calendar-multiget, several batches at once; paths that
  // are gone are left out.
  std::vector<Resource> fetch(const std::string& collectionUrl,
                              const std::vector<std::string>& hrefs);
  // Nothing when the resource is gone.
  std::optional<Resource> get(const std::string& href);

  // PUT with If-Match: etag, or If-None-Match: * when etag is empty.
  HttpClient::Request put(const std::string& href, const std::string& ical,
                          const std::string& etag) const;
  // DELETE with If-Match: etag when there is one.
  HttpClient::Request remove(const std::string& href, const std::string& etag) const;

  // "the calendar server https://example.org/ (for /alice/timelog/)", for messages.
  std::string describe(const std::string& collectionUrl) const;
  // The SyncError for an answer that fits none of the cases a caller handles, with what the
  // server said.
  [[noreturn]] void fail(const HttpClient::Response& r, const std::string& what) const;
  // Whether the canonical path lies directly in the collection at collectionUrl, on this server;
  // notes it as a problem when not.
  bool accept(const std::string& collectionUrl, const std::string& href, const std::string& origin);

 private:
  // Throws SyncError for no answer, AuthError for refused credentials.
  void checkReached(const HttpClient::Response& r, const std::string& what) const;
  HttpClient::Response send(const std::string& method, const std::string& url,
                            const std::string& depth, const std::string& body,
                            const std::string& what);
  static Refusal refusalOf(const HttpClient::Response& r, bool withToken);
  MultiStatus multiStatus(const std::string& method, const std::string& url,
                          const std::string& depth, const std::string& body,
                          const std::string& what);

  HttpClient& http_;
  std::string serverUrl_;
  SyncResult* notes_;
  // The server's address as messages show it, without a password.
  std::string shownUrl_;
};

}  // namespace tw

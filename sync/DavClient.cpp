#include "sync/DavClient.h"

#include <algorithm>
#include <set>

#include "core/MarkupText.h"
#include "sync/AuthError.h"
#include "sync/Href.h"
#include "sync/MultiStatus.h"
#include "sync/ServerText.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

const std::string kDav = MultiStatus::kDav;
const std::string kCalDav = MultiStatus::kCalDav;

std::string document(const std::string& root, const std::string& inside) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<" + root +
         " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\""
         " xmlns:cs=\"http://calendarserver.org/ns/\">" +
         inside + "</" + root.substr(0, root.find(' ')) + ">";
}

std::string propfind(const std::string& props) {
  return document("d:propfind", "<d:prop>" + props + "</d:prop>");
}

bool contains(const std::vector<std::string>& v, const std::string& x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

bool isCalendarObject(const MultiStatus::Response& r, const std::string& collectionPath) {
  if (r.href == collectionPath || r.href.empty() || r.href.back() == '/') return false;
  const auto type = r.found.find(MultiStatus::name(MultiStatus::kDav, "resourcetype"));
  return type == r.found.end() || type->second.children.empty();
}

}  // namespace

DavClient::DavClient(HttpClient& http, std::string serverUrl, SyncResult* notes)
    : http_(http),
      serverUrl_(std::move(serverUrl)),
      notes_(notes),
      shownUrl_(Href::withoutPassword(serverUrl_)) {}

bool DavClient::accept(const std::string& collectionUrl, const std::string& href,
                       const std::string& origin) {
  const bool here = origin.empty() || origin == Href::origin(collectionUrl);
  if (here && Href::isMember(Href::path(collectionUrl), href)) return true;
  if (notes_) {
    ++notes_->foreign;
    notes_->problems.push_back(
        {ServerText::oneLine(origin == "?" ? "an address that is none" : origin + href), 0,
         "the server listed it with " + Href::path(collectionUrl) +
             ", but it is not in that collection; it was left alone"});
  }
  return false;
}

std::string DavClient::urlOf(const std::string& href) const {
  return Href::resolve(serverUrl_, href);
}

void DavClient::checkReached(const HttpClient::Response& r, const std::string& what) const {
  if (r.status == 0)
    throw SyncError("cannot reach the calendar server at " + shownUrl_ + " (" + what +
                    "): " + r.error);
  if (r.status == 401)
    throw AuthError(
        "the calendar server " + shownUrl_ + " refused the user name or password (HTTP 401); " +
        (http_.hasPassword() ? "check the user name and the password of the calendar account"
                             : "no password is given (type it in the calendar account of the "
                               "Preferences, or set password_command or password_file)"));
}

std::string DavClient::describe(const std::string& collectionUrl) const {
  return "the calendar server " + shownUrl_ + " (for " + Href::path(collectionUrl) + ")";
}

void DavClient::fail(const HttpClient::Response& r, const std::string& what) const {
  checkReached(r, what);
  const std::string said = ServerText::description(r.body);
  throw SyncError("the calendar server " + shownUrl_ + " answered HTTP " +
                  std::to_string(r.status) + " to " + what + (said.empty() ? "" : ": " + said));
}

HttpClient::Response DavClient::send(const std::string& method, const std::string& url,
                                     const std::string& depth, const std::string& body,
                                     const std::string& what) {
  HttpClient::Request request{method, url, {"Content-Type: application/xml; charset=utf-8"}, body};
  if (!depth.empty()) request.headers.push_back("Depth: " + depth);
  HttpClient::Response r = http_.perform(request);
  checkReached(r, what);
  return r;
}

MultiStatus DavClient::multiStatus(const std::string& method, const std::string& url,
                                   const std::string& depth, const std::string& body,
                                   const std::string& what) {
  const HttpClient::Response r = send(method, url, depth, body, what);
  if (r.status != 207) fail(r, what);
  return MultiStatus::parse(r.body, Href::origin(url));
}

std::string DavClient::calendarHome(const std::string& url, int hops) {
  const std::string what = "the search for your calendars at " + Href::path(url);
  if (hops > kMaxHops)
    throw SyncError("the calendar server " + shownUrl_ + " led " + what + " through more than " +
                    std::to_string(kMaxHops) +
                    " principals; name the calendars in the account's settings (tasks, timelog)");
  const MultiStatus found = multiStatus(
      "PROPFIND", url, "0", propfind("<d:current-user-principal/><c:calendar-home-set/>"), what);
  for (const MultiStatus::Response& r : found.responses()) {
    const auto home = r.found.find(MultiStatus::name(MultiStatus::kCalDav, "calendar-home-set"));
    if (home != r.found.end() && !home->second.hrefs.empty())
      return Href::asCollection(urlOf(home->second.hrefs.front()));
    if (home != r.found.end() && !home->second.elsewhere.empty())
      throw SyncError("the calendar server " + shownUrl_ + " keeps your calendars at " +
                      ServerText::oneLine(home->second.elsewhere.front()) +
                      ", another server; to use it, give that address as the account's server");
    const auto principal =
        r.found.find(MultiStatus::name(MultiStatus::kDav, "current-user-principal"));
    if (principal != r.found.end() && !principal->second.hrefs.empty() &&
        principal->second.hrefs.front() != Href::path(url))
      return calendarHome(urlOf(principal->second.hrefs.front()), hops + 1);
  }
  return Href::asCollection(url);
}

std::vector<DavClient::Calendar> DavClient::calendarList(const std::string& homeUrl) {
  const MultiStatus found = multiStatus(
      "PROPFIND", homeUrl, "1",
      propfind("<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/>"),
      "the list of calendars at " + Href::path(homeUrl));
  std::vector<Calendar> out;
  const std::string origin = Href::origin(homeUrl);
  const std::string componentSet =
      MultiStatus::name(MultiStatus::kCalDav, "supported-calendar-component-set");
  for (const MultiStatus::Response& r : found.responses()) {
    const auto type = r.found.find(MultiStatus::name(MultiStatus::kDav, "resourcetype"));
    if ((!r.origin.empty() && r.origin != origin) || r.href.empty() || type == r.found.end() ||
        !contains(type->second.children, MultiStatus::name(MultiStatus::kCalDav, "calendar")))
      continue;
    Calendar c{Href::asCollection(urlOf(r.href)),
               ServerText::oneLine(r.text(MultiStatus::name(MultiStatus::kDav, "displayname")),
                                   kMaxNameBytes),
               {}};
    if (const auto set = r.found.find(componentSet); set != r.found.end())
      for (const std::string& name : set->second.names)
        if ((name == "VTODO" || name == "VEVENT") && !contains(c.components, name))
          c.components.push_back(name);
    out.push_back(std::move(c));
  }
  return out;
}

std::vector<std::string> DavClient::calendars(const std::string& homeUrl) {
  std::vector<std::string> out;
  for (const Calendar& c : calendarList(homeUrl)) out.push_back(c.url);
  return out;
}

void DavClient::makeCalendar(const std::string& url, const std::string& displayName,
                             const std::string& component) {
  const std::string body = document(
      "c:mkcalendar", "<d:set><d:prop><d:displayname>" + MarkupText::escaped(displayName) +
                          "</d:displayname><c:supported-calendar-component-set><c:comp name=\"" +
                          component + "\"/></c:supported-calendar-component-set></d:prop></d:set>");
  const std::string what = "the creation of the calendar " + Href::path(url);
  const HttpClient::Response r = send("MKCALENDAR", url, "", body, what);
  if (r.status != 201) fail(r, what);
}

DavClient::Changes DavClient::changesSince(const std::string& collectionUrl,
                                           const std::string& token) {
  const std::string body =
      document("d:sync-collection", "<d:sync-token>" + MarkupText::escaped(token) +
                                        "</d:sync-token><d:sync-level>1</d:sync-level>"
                                        "<d:prop><d:getetag/></d:prop>");
  const std::string what = "the changes of " + Href::path(collectionUrl);
  const HttpClient::Response r = send("REPORT", collectionUrl, "", body, what);
  Changes changes;
  if (r.status != 207) {
    changes.refused = refusalOf(r, !token.empty());
    if (changes.refused == Refusal::None) fail(r, what);
    return changes;
  }
  const MultiStatus status = MultiStatus::parse(r.body, Href::origin(collectionUrl));
  const std::string self = Href::path(collectionUrl);
  changes.token = status.syncToken();
  for (const MultiStatus::Response& m : status.responses()) {
    if (m.origin.empty() && (m.href == self || Href::asCollection(m.href) == self)) {
      changes.truncated = changes.truncated || m.status == 507;
    } else if (!accept(collectionUrl, m.href, m.origin)) {
      continue;
    } else if (m.status == 404) {
      changes.removed.push_back(m.href);
    } else if (isCalendarObject(m, self)) {
      changes.changed.push_back({m.href, m.text(MultiStatus::name(kDav.c_str(), "getetag"))});
    }
  }
  return changes;
}

// RFC 6578: an unknown token is refused with the DAV:valid-sync-token precondition (403, or
// 409 and 400 by some servers); a server without the report answers 501, or refuses it with
// DAV:supported-report, or as a bad request. Anything else is a failure of the run.
DavClient::Refusal DavClient::refusalOf(const HttpClient::Response& r, bool withToken) {
  if (r.status == 404 || r.status == 410) return Refusal::Gone;
  if (r.status / 100 != 4 && r.status != 501) return Refusal::None;
  if (ServerText::names(r.body, "valid-sync-token")) return Refusal::Token;
  if (r.status == 501 || ServerText::names(r.body, "supported-report")) return Refusal::Report;
  if (withToken && (r.status == 403 || r.status == 409 || r.status == 400)) return Refusal::Token;
  if (r.status == 400 || r.status == 405) return Refusal::Report;
  return Refusal::None;
}

std::optional<std::string> DavClient::ctag(const std::string& collectionUrl) {
  const std::string what = "the state of " + Href::path(collectionUrl);
  const HttpClient::Response r =
      send("PROPFIND", collectionUrl, "0", propfind("<cs:getctag/><d:sync-token/>"), what);
  if (r.status == 404) return std::nullopt;
  if (r.status != 207) fail(r, what);
  const MultiStatus found = MultiStatus::parse(r.body, Href::origin(collectionUrl));
  for (const MultiStatus::Response& m : found.responses()) {
    const std::string& tag = m.text(MultiStatus::name(MultiStatus::kCalendarServer, "getctag"));
    return tag.empty() ? m.text(MultiStatus::name(MultiStatus::kDav, "sync-token")) : tag;
  }
  return std::string();
}

std::vector<DavClient::Member> DavClient::members(const std::string& collectionUrl) {
  const MultiStatus found =
      multiStatus("PROPFIND", collectionUrl, "1", propfind("<d:resourcetype/><d:getetag/>"),
                  "the list of items in " + Href::path(collectionUrl));
  const std::string self = Href::path(collectionUrl);
  std::vector<Member> out;
  for (const MultiStatus::Response& r : found.responses()) {
    if (r.origin.empty() && (r.href == self || Href::asCollection(r.href) == self)) continue;
    if (accept(collectionUrl, r.href, r.origin) && isCalendarObject(r, self))
      out.push_back({r.href, r.text(MultiStatus::name(MultiStatus::kDav, "getetag"))});
  }
  return out;
}

std::vector<DavClient::Resource> DavClient::fetch(const std::string& collectionUrl,
                                                  const std::vector<std::string>& hrefs) {
  std::vector<HttpClient::Request> requests;
  for (std::size_t first = 0; first < hrefs.size(); first += kBatch) {
    std::string inside = "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
    for (std::size_t i = first; i < std::min(hrefs.size(), first + kBatch); ++i)
      inside += "<d:href>" + MarkupText::escaped(hrefs[i]) + "</d:href>";
    requests.push_back({"REPORT",
                        collectionUrl,
                        {"Content-Type: application/xml; charset=utf-8", "Depth: 1"},
                        document("c:calendar-multiget", inside)});
  }
  const std::string what = "fetching items from " + Href::path(collectionUrl);
  const std::set<std::string> asked(hrefs.begin(), hrefs.end());
  std::set<std::string> got;
  std::vector<Resource> out;
  http_.performAll(requests, [&](std::size_t, const HttpClient::Response& r) {
    if (r.status != 207) fail(r, what);
    const MultiStatus found = MultiStatus::parse(r.body, Href::origin(collectionUrl));
    for (const MultiStatus::Response& m : found.responses()) {
      const std::string& data = m.text(MultiStatus::name(MultiStatus::kCalDav, "calendar-data"));
      if (!m.has(MultiStatus::name(MultiStatus::kCalDav, "calendar-data"))) continue;
      // Only what was asked for, once: anything else is not the server's to give here.
      if (!accept(collectionUrl, m.href, m.origin)) continue;
      if (!asked.count(m.href) || !got.insert(m.href).second) continue;
      out.push_back({m.href, m.text(MultiStatus::name(MultiStatus::kDav, "getetag")), data});
    }
  });
  return out;
}

std::optional<DavClient::Resource> DavClient::get(const std::string& href) {
  const std::string what = "fetching " + href;
  const HttpClient::Response r = http_.perform({"GET", urlOf(href), {}, {}});
  if (r.status == 404 || r.status == 410) return std::nullopt;
  if (r.status != 200) fail(r, what);
  return Resource{href, r.etag, r.body};
}

HttpClient::Request DavClient::put(const std::string& href, const std::string& ical,
                                   const std::string& etag) const {
  return {"PUT",
          urlOf(href),
          {"Content-Type: text/calendar; charset=utf-8",
           etag.empty() ? std::string("If-None-Match: *") : "If-Match: " + etag},
          ical};
}

HttpClient::Request DavClient::remove(const std::string& href, const std::string& etag) const {
  HttpClient::Request request{"DELETE", urlOf(href), {}, {}};
  if (!etag.empty()) request.headers.push_back("If-Match: " + etag);
  return request;
}

}  // namespace tw

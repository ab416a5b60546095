// The synchronisation against servers that misbehave: a proxy in front of Radicale that adds
// what a hostile or broken server sends, and a fake server for what never ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "FakeServer.h"
#include "SyncFixture.h"
#include "sync/ChangeReceiver.h"
#include "sync/Href.h"
#include "sync/SyncError.h"
#include "sync/SyncQueue.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

using test::FakeServer;
using test::has;
using test::SyncFixture;

class HostileServerTest : public SyncFixture {
 protected:
  // What the proxy answers instead of Radicale; nothing to pass the request on.
  std::function<std::optional<FakeServer::Reply>(const FakeServer::Request&)> intercept;
  // Changes Radicale's answer on its way.
  std::function<void(const FakeServer::Request&, FakeServer::Reply&)> rewrite;
  FakeServer proxy{[this](const FakeServer::Request& r) { return handle(r); }};

  FakeServer::Reply handle(const FakeServer::Request& r) {
    if (intercept)
      if (std::optional<FakeServer::Reply> own = intercept(r)) return *own;
    std::vector<std::string> headers;
    for (const char* name : {"Depth", "Content-Type", "If-Match", "If-None-Match"})
      if (!r.header(name).empty()) headers.push_back(std::string(name) + ": " + r.header(name));
    HttpClient http("alice", "", 1);
    const HttpClient::Response a = http.perform({r.method, server->url(r.path), headers, r.body});
    FakeServer::Reply reply{static_cast<int>(a.status), {}, a.body};
    if (!a.etag.empty()) reply.headers.push_back("ETag: " + a.etag);
    if (rewrite) rewrite(r, reply);
    return reply;
  }

  SyncResult viaProxy(Computer& c, CalendarSync::Options options = {}) {
    options.clock = &clock;
    SyncConfig proxied = config();
    proxied.url = proxy.url();
    return CalendarSync(c.store, c.state, proxied, options).run();
  }

  // How many requests reached the proxy whose path starts with prefix.
  std::size_t sent(const std::string& method, const std::string& prefix) {
    const std::vector<FakeServer::Request> all = proxy.requests();
    return std::count_if(all.begin(), all.end(), [&](const FakeServer::Request& r) {
      return r.method == method && r.path.starts_with(prefix);
    });
  }

  static std::string response(const std::string& href, const std::string& inside) {
    return "<response xmlns=\"DAV:\"><href>" + href + "</href><propstat><prop>" + inside +
           "</prop><status>HTTP/1.1 200 OK</status></propstat></response>";
  }
  static void inject(FakeServer::Reply& reply, const std::string& responses) {
    const std::size_t end = reply.body.rfind("</");
    if (end != std::string::npos) reply.body.insert(end, responses);
  }

  static constexpr const char* kDentist =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\nUID:dentist\r\n"
      "DTSTAMP:20240601T080000Z\r\nDTSTART:20240605T140000Z\r\nDTEND:20240605T150000Z\r\n"
      "SUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
};

// A server lists addresses outside the time log in its changes and sends an object of another
// calendar unasked: none of them is read, stored, written or deleted, each is noted, and the
// user's other calendar keeps its appointment when the journal is emptied.
TEST_F(HostileServerTest, AddressesOutsideTheCollectionAreNeverTouched) {
  viaProxy(*laptop);
  ASSERT_EQ(request("MKCALENDAR", "/alice/personal/").status, 201);
  ASSERT_EQ(request("PUT", "/alice/personal/dentist.ics", kDentist).status, 201);
  const std::string etag = "<getetag>\"1\"</getetag>";
  const std::string foreign[] = {"/alice/personal/dentist.ics",
                                 "http://elsewhere.example/alice/timelog/far.ics",
                                 "/alice/timelog/../personal/dentist.ics",
                                 "/alice/timelog/..%2Fpersonal%2Fdentist.ics",
                                 "/alice/timelog/sub/x.ics",
                                 "ftp://127.0.0.1/alice/timelog/x.ics"};
  rewrite = [&](const FakeServer::Request& r, FakeServer::Reply& reply) {
    if (r.method != "REPORT" || r.path != "/alice/timelog/") return;
    if (has(r.body, "sync-collection"))
      for (const std::string& href : foreign) inject(reply, response(href, etag));
    else
      inject(reply, response("/alice/personal/dentist.ics",
                             etag + "<calendar-data xmlns=\"urn:ietf:params:xml:ns:caldav\">" +
                                 kDentist + "</calendar-data>"));
  };
  entry(laptop->store, "Layout", june(3, 9), 600);
  request("PUT", "/alice/timelog/other.ics", test::replaced(kDentist, "dentist", "other"));
  const SyncResult r = viaProxy(*laptop);
  EXPECT_EQ(r.foreign, 7) << r.summary();
  EXPECT_EQ(r.received, 1) << r.summary();
  ASSERT_FALSE(r.problems.empty());
  EXPECT_TRUE(has(r.problems.front().text(), "/alice/personal/dentist.ics: skipped"))
      << r.problems.front().text();
  EXPECT_FALSE(laptop->store.entryByUid("dentist"));
  for (const SyncState::Item& row : laptop->state.items(SyncState::Kind::Entry))
    EXPECT_TRUE(Href::isMember("/alice/timelog/", row.href)) << row.href;

  for (const JournalEntry& e : test::allEntries(laptop->store)) laptop->store.deleteEntry(e.id);
  EXPECT_EQ(viaProxy(*laptop).deleted, 2);
  for (const char* method : {"PUT", "DELETE", "GET"})
    EXPECT_EQ(sent(method, "/alice/personal/"), 0u) << method;
  EXPECT_EQ(request("GET", "/alice/personal/dentist.ics").status, 200);
}

// An earlier version took an appointment of another calendar in: its row is let go, the entry
// stays here only (and says so), and deleting it here sends nothing to that calendar.
TEST_F(HostileServerTest, ItemsAnEarlierVersionTookFromElsewhereStayHereOnly) {
  viaProxy(*laptop);
  ASSERT_EQ(request("MKCALENDAR", "/alice/personal/").status, 201);
  ASSERT_EQ(request("PUT", "/alice/personal/dentist.ics", kDentist).status, 201);
  const JournalEntry e = entry(laptop->store, "Dentist", june(5, 16), 3600);
  laptop->state.putItem({SyncState::Kind::Entry, e.uid, "/alice/personal/dentist.ics", "\"1\"",
                         kDentist, ItemKind::digest(EntryKind::fieldsOf(e))});
  JournalEntry changed = e;
  changed.body = "changed here";
  laptop->store.updateEntry(changed);
  const SyncResult r = viaProxy(*laptop);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_TRUE(has(r.problems[0].text(), "journal entry “Dentist”")) << r.problems[0].text();
  EXPECT_TRUE(has(r.problems[0].text(), "stays here only")) << r.problems[0].text();
  EXPECT_TRUE(laptop->store.entryByUid(e.uid));
  EXPECT_EQ(onServer("/alice/timelog/").size(), 0u);
  laptop->store.deleteEntry(laptop->store.entryByUid(e.uid)->id);
  viaProxy(*laptop);
  for (const char* method : {"PUT", "DELETE"})
    EXPECT_EQ(sent(method, "/alice/personal/"), 0u) << method;
  EXPECT_TRUE(laptop->state.holds(SyncState::Kind::Entry).empty());
  EXPECT_EQ(request("GET", "/alice/personal/dentist.ics").status, 200);
}

// A server error fails the run and changes nothing: the next run asks with the same token.
// Only a server that says it has no sync-collection makes the client list by ctag, and the
// report is tried again a day later.
TEST_F(HostileServerTest, OnlyARefusedReportTurnsSyncCollectionOffAndOnlyForADay) {
  entry(laptop->store, "Layout", june(3, 9), 600);
  viaProxy(*laptop);
  const auto mode = [&] { return laptop->state.collection(SyncState::Kind::Entry); };
  const std::string token = mode().syncToken;
  ASSERT_FALSE(token.empty());
  // (A refused token is refused only while it is given.)
  const auto refuseReport = [&](int status, const std::string& body) {
    intercept = [status, body](const FakeServer::Request& r) -> std::optional<FakeServer::Reply> {
      if (r.method == "REPORT" && has(r.body, "sync-collection") &&
          !(has(body, "valid-sync-token") && has(r.body, "<d:sync-token></d:sync-token>")))
        return FakeServer::Reply{status, {"Content-Type: application/xml"}, body};
      return std::nullopt;
    };
  };
  const std::string davError = "<?xml version=\"1.0\"?><D:error xmlns:D=\"DAV:\"><D:";
  for (const int status : {500, 503}) {
    refuseReport(status, "<html><body><h1>Oops</h1><p>database locked</p></body></html>");
    const std::string failed = test::failureOf<SyncError>([&] { viaProxy(*laptop); });
    EXPECT_TRUE(has(failed, "HTTP " + std::to_string(status))) << failed;
    EXPECT_TRUE(has(failed, "Oops database locked")) << failed;
    EXPECT_EQ(mode().syncToken, token);
    EXPECT_EQ(mode().ctag, "");
  }
  refuseReport(403, davError + "valid-sync-token/></D:error>");
  EXPECT_EQ(viaProxy(*laptop).summary(), "sent 0, received 0, conflicts 0, deleted 0");
  for (const auto& [status, body] :
       {std::pair{501, std::string()}, std::pair{403, davError + "supported-report/></D:error>"}}) {
    laptop->state.putCollection(SyncState::Kind::Entry, {mode().url, mode().home, token, {}, 0});
    refuseReport(status, body);
    request("PUT", "/alice/timelog/other.ics", kDentist);
    EXPECT_EQ(viaProxy(*laptop).received, 1) << status;
    EXPECT_TRUE(mode().syncToken.empty());
    EXPECT_EQ(mode().reportRefused, clock.now().unixSeconds());
    request("DELETE", "/alice/timelog/other.ics");
    intercept = nullptr;
    const std::size_t reports = sent("REPORT", "/alice/timelog/");
    EXPECT_EQ(viaProxy(*laptop).deleted, 1);
    EXPECT_EQ(sent("REPORT", "/alice/timelog/"), reports) << "asked again too soon";
    clock.advance(ChangeReceiver::kReportRetrySeconds);
    viaProxy(*laptop);
    EXPECT_FALSE(mode().syncToken.empty());
    EXPECT_EQ(mode().reportRefused, 0);
  }
}

// The server refuses one change with its reasons: the run says which and why and fails; the
// change is held, not sent again, until the item changes or the user retries it; dropping it
// keeps a new item here only, brings a deleted one back and gives a changed one the server's
// values, keeping the local ones as a conflict copy. A server error on a sending fails the run
// and holds nothing. A never accepted creation deleted here leaves the queue.
TEST_F(HostileServerTest, RefusedChangesAreHeldWithTheServersWordsUntilRetriedOrDropped) {
  const std::string why =
      "<?xml version=\"1.0\"?><D:error xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
      "<C:valid-calendar-data/><D:responsedescription>DTEND must\n occur after "
      "DTSTART\x1b[2J</D:responsedescription></D:error>";
  int status = 403;
  std::string refuseDeleting = "(none)";
  intercept = [&](const FakeServer::Request& r) -> std::optional<FakeServer::Reply> {
    if ((r.method == "PUT" && has(r.body, "SUMMARY:Refused")) ||
        (r.method == "DELETE" && has(r.path, refuseDeleting)))
      return FakeServer::Reply{status, {"Content-Type: application/xml"}, why};
    return std::nullopt;
  };
  JournalStore& l = laptop->store;
  const JournalEntry refused = entry(l, "Refused", june(3, 9), 600);
  entry(l, "Fine", june(3, 10), 600);
  SyncResult r = viaProxy(*laptop);
  EXPECT_EQ(r.failed, 1);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].text(),
            "journal entry “Refused” of 6/3/2024 9:00:00 AM: refused (HTTP 403): "
            "valid-calendar-data: DTEND must occur after DTSTART [2J");
  const std::size_t puts = sent("PUT", "/alice/timelog/");
  r = viaProxy(*laptop);
  EXPECT_EQ(r.summary(), "sent 0, received 0, conflicts 0, deleted 0, 1 refused earlier and held");
  EXPECT_EQ(sent("PUT", "/alice/timelog/"), puts);

  SyncQueue queue(l, std::make_unique<SqliteSyncState>(laptop->store), clock);
  ASSERT_EQ(queue.list().size(), 1u);
  EXPECT_TRUE(queue.list()[0].held);
  EXPECT_EQ(queue.list()[0].status, 403);
  queue.retry(refused.uid);
  EXPECT_EQ(viaProxy(*laptop).failed, 1);
  queue.drop(refused.uid);
  EXPECT_TRUE(queue.list().at(0).hereOnly);
  EXPECT_EQ(viaProxy(*laptop).summary(), "sent 0, received 0, conflicts 0, deleted 0");
  queue.retry(refused.uid);
  JournalEntry renamed = *l.entryByUid(refused.uid);
  renamed.subject = "Accepted now";
  l.updateEntry(renamed);
  EXPECT_EQ(viaProxy(*laptop).sent, 1);
  EXPECT_TRUE(queue.list().empty());

  // A change and a deletion refused, then dropped.
  const JournalEntry gone = entry(l, "Gone", june(4, 9), 60);
  viaProxy(*laptop);
  refuseDeleting = gone.uid;
  renamed.subject = "Refused change";
  l.updateEntry(renamed);
  l.deleteEntry(l.entryByUid(gone.uid)->id);
  EXPECT_EQ(viaProxy(*laptop).failed, 2);
  ASSERT_EQ(queue.list().size(), 2u);
  queue.drop(refused.uid);
  queue.drop(gone.uid);
  EXPECT_EQ(l.entryByUid(refused.uid)->subject, "Accepted now");
  EXPECT_TRUE(l.entryByUid(gone.uid));
  ASSERT_EQ(laptop->state.conflicts().size(), 1u);
  EXPECT_EQ(laptop->state.conflicts()[0].fields, "subject");
  EXPECT_EQ(viaProxy(*laptop).summary(), "sent 0, received 0, conflicts 0, deleted 0");
  EXPECT_TRUE(queue.list().empty());

  status = 502;
  renamed.subject = "Refused again";
  l.updateEntry(renamed);
  EXPECT_THROW(viaProxy(*laptop), SyncError);
  ASSERT_EQ(queue.list().size(), 1u);
  EXPECT_FALSE(queue.list()[0].held);
  status = 403;
  EXPECT_EQ(viaProxy(*laptop).failed, 1);
  const JournalEntry never = entry(l, "Refused too", june(5, 9), 60);
  EXPECT_EQ(viaProxy(*laptop).failed, 1);
  l.deleteEntry(l.entryByUid(never.uid)->id);
  viaProxy(*laptop);
  ASSERT_EQ(queue.list().size(), 1u);
  EXPECT_EQ(queue.list()[0].uid, refused.uid);
}

// The minimum of a CalDAV server: a calendar home at /alice/ with a task list and a time log.
std::optional<FakeServer::Reply> calendars(const FakeServer::Request& r) {
  if (r.method != "PROPFIND") return std::nullopt;
  const std::string ns = " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"";
  const auto one = [](const std::string& href, const std::string& prop) {
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop>" + prop +
           "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
  };
  std::string body = "<d:multistatus" + ns + ">";
  if (r.header("Depth") == "0") {
    body += one(r.path, "<c:calendar-home-set><d:href>/alice/</d:href></c:calendar-home-set>");
  } else {
    for (const char* c : {"/alice/tasks/", "/alice/timelog/"})
      body += one(c, "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>");
  }
  return FakeServer::Reply{207, {}, body + "</d:multistatus>"};
}

// Servers that never end an answer, answer without end or send the client in circles: each
// run stops at its bound with a message that says so, and stores no item.
TEST(HostileServerBoundsTest, EveryRunEndsWithinItsBoundsAndSaysWhy) {
  using Reply = FakeServer::Reply;
  int page = 0;
  const auto always = [](const Reply& reply) {
    return [reply](const FakeServer::Request&) { return reply; };
  };
  const auto multistatus = [](const std::string& inside) {
    return Reply{207, {}, "<multistatus xmlns=\"DAV:\"><response>" + inside + "</multistatus>"};
  };
  const struct {
    const char* name;
    std::function<Reply(const FakeServer::Request&)> answer;
    const char* message;
  } kCases[] = {
      {"pages without end",
       [&](const FakeServer::Request& r) {
         if (std::optional<Reply> c = calendars(r)) return *c;
         return multistatus("<href>" + r.path + "</href><status>HTTP/1.1 507 More</status>" +
                            "</response><sync-token>t" + std::to_string(++page) + "</sync-token>");
       },
       "still announced more changes after 1000 pages"},
      {"a redirect loop",
       [&](const FakeServer::Request& r) {
         return Reply{301, {"Location: " + r.path}, ""};
       },
       "redirected more than 5 times"},
      {"a redirect to another kind of address", always({302, {"Location: file:///etc/passwd"}, ""}),
       "neither http:// nor https://"},
      {"principals pointing at each other",
       [&](const FakeServer::Request& r) {
         const std::string next = r.path == "/p1/" ? "/p2/" : "/p1/";
         return multistatus("<href>" + r.path + "</href><propstat><prop><current-user-principal>" +
                            "<href>" + next + "</href></current-user-principal></prop><status>" +
                            "HTTP/1.1 200 OK</status></propstat></response>");
       },
       "through more than 5 principals"},
      {"a huge answer",
       always({207, {}, "<multistatus xmlns=\"DAV:\">", Reply::Way::Huge, 3 * 1024 * 1024}),
       "larger than 1 MB"},
      {"a trickle", always({207, {}, "", Reply::Way::Trickle, 0}), "no complete answer within 1 s"},
      {"silence", always({207, {}, "", Reply::Way::Silent, 0}), "no complete answer within 1 s"},
  };
  for (const auto& c : kCases) {
    test::TempFolder folder;
    SqliteJournalStore store(folder.file("store.db"));
    SqliteSyncState state(store);
    store.addEntry(test::localEntry("Layout", DateTime::fromParts(2024, 6, 3, 9), 60));
    FakeServer server(c.answer);
    SyncConfig config;
    config.url = server.url();
    CalendarSync::Options options;
    options.limits.seconds = 1;
    options.limits.answerBytes = 1024 * 1024;
    const std::string failed =
        test::failureOf<SyncError>([&] { CalendarSync(store, state, config, options).run(); });
    EXPECT_TRUE(has(failed, c.message)) << c.name << ": " << failed;
    EXPECT_TRUE(state.items(SyncState::Kind::Entry).empty()) << c.name;
  }
}

}  // namespace
}  // namespace tw

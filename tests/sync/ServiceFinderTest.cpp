// Finding the account from what a person types: an address, a host name or an e-mail address
// (SRV and TXT records from a resolver double, then the server's own answers), against a real
// Radicale; what a hostile name server may send is bounded.
#include "sync/ServiceFinder.h"

#include <gtest/gtest.h>

#include "FakeResolver.h"
#include "RadicaleServer.h"
#include "sync/AuthError.h"
#include "sync/HttpClient.h"
#include "sync/SystemResolver.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

using Service = DnsResolver::Service;

class ServiceFinderTest : public ::testing::Test {
 protected:
  ServiceFinderTest() : server("alice:secret\n") {
    HttpClient http("alice", "secret", 1);
    DavClient dav(http, server.url("/"));
    dav.makeCalendar(server.url("/alice/work/"), "Work", "VTODO");
    dav.makeCalendar(server.url("/alice/log/"), "Time log", "VEVENT");
  }

  int port() const { return std::stoi(server.url("").substr(17)); }

  test::RadicaleServer server;
  test::FakeResolver dns;
};

TEST_F(ServiceFinderTest, AHostNameOrAnAddressLeadsToTheCalendars) {
  const struct {
    std::string typed;
    std::vector<Service> secure, plain;
    std::vector<std::string> paths;
    std::string url;
  } cases[] = {
      {"alice@example.test", {}, {{"127.0.0.1", port(), 0, 0}}, {"path=/"}, server.url("/")},
      // Without a path the well-known address is asked, and its redirect followed.
      {"example.test", {}, {{"127.0.0.1", port(), 0, 0}}, {}, server.url("/.well-known/caldav")},
      {" example.test ", {}, {{"127.0.0.1", port(), 0, 0}}, {"v=1", "path=/"}, server.url("/")},
      {server.url("/"), {}, {}, {}, server.url("/")},
  };
  for (const auto& c : cases) {
    dns.srv = {{"_caldavs._tcp.example.test", c.secure}, {"_caldav._tcp.example.test", c.plain}};
    dns.txt = {{"_caldav._tcp.example.test", c.paths}, {"_caldavs._tcp.example.test", c.paths}};
    HttpClient http("alice", "secret", 1);
    const ServiceFinder::Found found = ServiceFinder(dns, http).find(c.typed);
    EXPECT_EQ(found.url, c.url) << c.typed;
    EXPECT_EQ(found.home, server.url("/alice/")) << c.typed;
    ASSERT_EQ(found.calendars.size(), 2u) << c.typed;
    std::map<std::string, std::string> seen;
    for (const DavClient::Calendar& cal : found.calendars)
      seen[cal.name] = cal.components.size() == 1 ? cal.components[0] : "?";
    EXPECT_EQ(seen,
              (std::map<std::string, std::string>{{"Time log", "VEVENT"}, {"Work", "VTODO"}}));
  }
}

TEST_F(ServiceFinderTest, AWrongPasswordIsSaidAtOnceAndNothingFoundIsSaidPlainly) {
  dns.srv = {{"_caldav._tcp.example.test", {{"127.0.0.1", port(), 0, 0}}}};
  HttpClient wrong("alice", "guess", 1);
  EXPECT_TRUE(
      test::failsWith<AuthError>([&] { ServiceFinder(dns, wrong).find("alice@example.test"); },
                                 "refused the user name or password"));
  HttpClient http("alice", "secret", 1);
  dns.srv.clear();
  const std::string none =
      test::failureOf<SyncError>([&] { ServiceFinder(dns, http).find("nobody.invalid"); });
  EXPECT_TRUE(
      none.starts_with("No calendar server was found for \"nobody.invalid\": cannot reach "
                       "the calendar server at https://nobody.invalid/.well-known/caldav"))
      << none;
}

TEST(ServiceFinderCandidatesTest, WhatTheNameServerSendsIsBounded) {
  test::FakeResolver dns;
  HttpClient http("", "", 1);
  // The plain HTTP service is not offered where the domain names an HTTPS one.
  dns.srv = {{"_caldavs._tcp.e.test", {{"dav.e.test", 8443, 0, 0}}},
             {"_caldav._tcp.e.test", {{"dav.e.test", 80, 0, 0}}}};
  const struct {
    std::vector<std::string> txt;
    std::string first;  // "!" for refused
    std::string typed = "e.test";
  } cases[] = {
      {{"path=/dav/"}, "https://dav.e.test:8443/dav/"},
      {{"path=dav/"}, "https://dav.e.test:8443/.well-known/caldav"},
      {{"path=/x\r\nHost: evil"}, "https://dav.e.test:8443/.well-known/caldav"},
      {{"path=/" + std::string(2000, 'a')}, "https://dav.e.test:8443/.well-known/caldav"},
      {{}, "https://e.test:8443/.well-known/caldav", "e.test:8443"},
      {{}, "!", "e.test:99999"},
      {{}, "!", "a b"},
      {{}, "!", "me@"},
      {{}, "!", "ftp://e.test/"},
  };
  for (const auto& c : cases) {
    dns.txt = {{"_caldavs._tcp.e.test", c.txt}};
    if (c.first == "!") {
      EXPECT_THROW(ServiceFinder(dns, http).candidates(c.typed), SyncError) << c.typed;
      continue;
    }
    const std::vector<std::string> all = ServiceFinder(dns, http).candidates(c.typed);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), c.first) << c.typed;
    EXPECT_LE(all.size(), 2u) << c.typed;
    EXPECT_EQ(all.back(), "https://" + c.typed + "/.well-known/caldav");
  }
}

// A DNS answer in wire format: a header with no question and the records given, each owned by
// the root name with class IN.
std::vector<unsigned char> answer(const std::vector<std::pair<int, std::string>>& records) {
  std::string m("\0\1\x81\x80\0\0\0\0\0\0\0\0", 12);
  m[7] = static_cast<char>(records.size());
  for (const auto& [type, data] : records) {
    m += std::string("\0\0", 2) + static_cast<char>(type) + std::string("\0\1\0\0\1\0", 6) +
         static_cast<char>(data.size() >> 8) + static_cast<char>(data.size() & 0xff) + data;
  }
  return {m.begin(), m.end()};
}

// An SRV record's data: priority, weight, port, then the target as length-prefixed labels.
std::string srv(int priority, int weight, int port, const std::string& labels) {
  return std::string(1, '\0') + static_cast<char>(priority) + '\0' + static_cast<char>(weight) +
         static_cast<char>(port >> 8) + static_cast<char>(port & 0xff) + labels + '\0';
}

TEST(SystemResolverTest, AnswersAreReadWithinTheirBounds) {
  const auto services = [](const std::vector<unsigned char>& m) {
    std::string out;
    for (const auto& s : SystemResolver::servicesIn(m.data(), static_cast<int>(m.size())))
      out += s.host + ":" + std::to_string(s.port) + " ";
    return out;
  };
  EXPECT_EQ(services(answer({{33, srv(20, 0, 443, "\4dav2\7example")},
                             {33, srv(10, 5, 8443, "\4dav1\7example")},
                             {33, srv(10, 9, 443, "")},               // no such service
                             {33, srv(10, 9, 0, "\4dav3\7example")},  // port 0
                             {33, srv(10, 9, 443, "\3a b")},          // no host name
                             {16, "\12path=/dav/"}})),
            "dav1.example:8443 dav2.example:443 ");
  std::vector<unsigned char> cut = answer({{33, srv(10, 0, 443, "\4dav1\7example")}});
  cut.resize(cut.size() - 4);
  EXPECT_EQ(services(cut), "");
  const std::vector<unsigned char> texts =
      answer({{16, std::string("\12path=/dav/") + "\3abc"}, {16, "\50short"}});
  EXPECT_EQ(SystemResolver::textsIn(texts.data(), static_cast<int>(texts.size())),
            (std::vector<std::string>{"path=/dav/", "abc"}));
}

}  // namespace
}  // namespace tw

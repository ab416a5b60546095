// The synchronisation against a real Cyrus IMAP server's CalDAV, one server for the whole
// executable (registered as one test, so that it starts once); each test is a user of its own.
#include <gtest/gtest.h>

#include "CyrusServer.h"
#include "FakeResolver.h"
#include "SyncFixture.h"
#include "core/Markers.h"
#include "sync/ServiceFinder.h"

namespace tw {
namespace {

class CyrusTest : public test::SyncFixture {
 protected:
  static void SetUpTestSuite() {
    if (test::CyrusServer::installed()) cyrus_ = std::make_unique<test::CyrusServer>();
  }
  static void TearDownTestSuite() { cyrus_.reset(); }
  static inline std::unique_ptr<test::CyrusServer> cyrus_;
  static inline int users_ = 0;

  CyrusTest() : SyncFixture(false) {}
  void SetUp() override {
    SyncFixture::SetUp();
    // Required by scripts/install-deps; missing only where a developer has not run it.
    if (!cyrus_) GTEST_SKIP() << "Cyrus is not installed (scripts/install-deps installs it)";
    user = "user" + std::to_string(++users_);
    home = cyrus_->url(user);
  }
};

// Cyrus refuses events whose end is not after their start: the work markers and entries of no
// length go as events of one second, are taken, and read back as exactly what they were, on a
// second computer too; then changes and deletions on either side converge.
TEST_F(CyrusTest, MarkersAndEntriesOfNoLengthAreTakenAndReadBackExactly) {
  JournalStore& l = laptop->store;
  const Task layout = task(l, "Page layout", TaskStatus::InProgress, "Design, Print");
  entry(l, std::string(Markers::kStartSubject), june(3, 8, 59), 0, "", std::string(Markers::kType));
  const JournalEntry none = entry(l, "Page layout", june(3, 9), 0, layout.uid);
  const JournalEntry one = entry(l, "Page layout", june(3, 9, 30), 1, layout.uid);
  entry(l, "Page layout", june(3, 10), 5400, layout.uid);
  entry(l, std::string(Markers::kStopSubject), june(3, 11, 31), 0, "", std::string(Markers::kType));
  const SyncResult first = sync(*laptop);
  EXPECT_EQ(first.summary(), "sent 6, received 0, conflicts 0, deleted 0");
  EXPECT_EQ(sync(*laptop).summary(), "sent 0, received 0, conflicts 0, deleted 0");
  sync(*desktop);
  EXPECT_EQ(contents(desktop->store), contents(l));
  EXPECT_EQ(desktop->store.entryByUid(none.uid)->seconds, 0);
  EXPECT_EQ(desktop->store.entryByUid(one.uid)->seconds, 1);

  JournalStore& d = desktop->store;
  JournalEntry changed = *d.entryByUid(none.uid);
  changed.seconds = 1200;
  d.updateEntry(changed);
  d.deleteEntry(d.entryByUid(one.uid)->id);
  Task done = *l.taskByUid(layout.uid);
  done.status = TaskStatus::Complete;
  l.updateTask(done);
  sync(*desktop);
  sync(*laptop);
  sync(*desktop);
  EXPECT_EQ(contents(d), contents(l));
  EXPECT_EQ(l.entryByUid(none.uid)->seconds, 1200);
  EXPECT_FALSE(l.entryByUid(one.uid));
  EXPECT_EQ(d.taskByUid(layout.uid)->status, TaskStatus::Complete);
}

// From an e-mail address to the user's calendars: the SRV record names the server, which
// leads from its well-known address through the principal to the calendar home.
TEST_F(CyrusTest, TheAccountIsFoundFromAnEmailAddress) {
  const int port = std::stoi(home.substr(17, home.find('/', 17) - 17));
  test::FakeResolver dns;
  dns.srv["_caldav._tcp.example.test"] = {{"127.0.0.1", port, 0, 0}};
  HttpClient http(user, "secret", 1);
  const ServiceFinder::Found found = ServiceFinder(dns, http).find(user + "@example.test");
  EXPECT_EQ(found.home, home);
  ASSERT_FALSE(found.calendars.empty());
  for (const DavClient::Calendar& c : found.calendars)
    EXPECT_TRUE(c.url.starts_with(home)) << c.url;
}

// Each task stays on its list, and a computer synchronises only the lists it chose: the
// desktop, choosing home alone, never receives the laptop's task on work.
TEST_F(CyrusTest, EachTaskStaysOnItsListAndAComputerHasOnlyTheListsItChose) {
  HttpClient http(user, "secret", 1);
  for (const char* list : {"work/", "home/"})
    DavClient(http, home).makeCalendar(home + list, list, "VTODO");
  taskLists = {home + "home/"};
  task(desktop->store, "Garden");
  EXPECT_EQ(sync(*desktop).summary(), "sent 1, received 0, conflicts 0, deleted 0");
  taskLists = {home + "work/", home + "home/"};
  task(laptop->store, "Call");
  EXPECT_EQ(sync(*laptop).summary(), "sent 1, received 1, conflicts 0, deleted 0");
  std::string lists;
  for (const Task& t : laptop->store.tasks()) lists += t.subject + " " + t.list + ";";
  EXPECT_EQ(lists, "Call " + home + "work/;Garden " + home + "home/;");
  taskLists = {home + "home/"};
  EXPECT_EQ(sync(*desktop).summary(), "sent 0, received 0, conflicts 0, deleted 0");
  ASSERT_EQ(desktop->store.tasks().size(), 1u);
}

}  // namespace
}  // namespace tw

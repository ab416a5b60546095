#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "SyncFixture.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

using test::SyncFixture;

class OutageTest : public SyncFixture {
 protected:
  void dayOfWork(JournalStore& store, int entries) {
    const Task t = task(store, "Page layout");
    for (int i = 0; i < entries; ++i)
      entry(store, "Page layout", june(3, 8).addMinutes(10 * i), 540, t.uid);
  }
  static constexpr const char* kNothing = "sent 0, received 0, conflicts 0, deleted 0";
};

// The server goes away after a few answers: the synchronisation fails with a message, keeps
// what was confirmed, and the next one sends the rest without duplicates.
TEST_F(OutageTest, AServerStoppedInTheMiddleLosesNothing) {
  dayOfWork(laptop->store, 40);
  int answers = 0;
  CalendarSync::Options options;
  options.parallel = 4;
  options.afterAnswer = [&] {
    if (++answers == 10) server->stop();
  };
  EXPECT_TRUE(test::failsWith<SyncError>([&] { sync(*laptop, options); },
                                         "cannot reach the calendar server"));
  server->start();
  sync(*laptop);
  EXPECT_EQ(onServer("/alice/timelog/").size(), 40u);
  EXPECT_EQ(sync(*laptop).summary(), kNothing);
  sync(*desktop);
  EXPECT_EQ(contents(desktop->store), contents(laptop->store));
}

// Every answer of a sending was lost: the next synchronisation finds the items on the server,
// adopts them and makes no duplicate.
TEST_F(OutageTest, ItemsWhoseCreationWasNotConfirmedAreAdoptedNotDuplicated) {
  dayOfWork(laptop->store, 5);
  sync(*laptop);
  laptop->store.transact([&] {
    laptop->state.forget(SyncState::Kind::Task);
    laptop->state.forget(SyncState::Kind::Entry);
  });
  const SyncResult r = sync(*laptop);
  EXPECT_EQ(r.conflicts, 0);
  EXPECT_EQ(onServer("/alice/timelog/").size(), 5u);
  EXPECT_EQ(onServer("/alice/tasks/").size(), 1u);
  EXPECT_EQ(sync(*laptop).summary(), kNothing);
}

// A wrong password is refused with a message that says so, and changes nothing.
TEST_F(OutageTest, AWrongPasswordChangesNothing) {
  server = std::make_unique<test::RadicaleServer>("alice:secret\n");
  dayOfWork(laptop->store, 2);
  const std::vector<std::string> before = contents(laptop->store);
  SyncConfig c = config();
  c.url.insert(std::string("http://").size(), "alice:wrong@");
  c.passwordFile = folder.file("password");
  test::writeBytes(c.passwordFile, "wrong\n");
  chmod(c.passwordFile.c_str(), 0600);
  const auto run = [&] { return CalendarSync(laptop->store, laptop->state, c).run(); };
  const std::string refused = test::failureOf<SyncError>(run);
  EXPECT_TRUE(test::has(refused, "refused the user name or password")) << refused;
  EXPECT_FALSE(test::has(refused, "wrong")) << refused;
  EXPECT_EQ(contents(laptop->store), before);
  EXPECT_TRUE(laptop->state.collection(SyncState::Kind::Task).url.empty());
  EXPECT_TRUE(test::failsWith<SyncError>(
      [&] { CalendarSync(laptop->store, laptop->state, config()).run(); }, "no password is given"));
  test::writeBytes(c.passwordFile, "secret\n");
  EXPECT_EQ(run().sent, 3);
}

// The server forgot the token it gave: the next synchronisation compares everything instead,
// and still sees additions and deletions.
TEST_F(OutageTest, ATokenTheServerNoLongerKnowsFallsBackToAFullListing) {
  dayOfWork(laptop->store, 3);
  sync(*laptop);
  sync(*desktop);
  JournalStore& d = desktop->store;
  d.visitAll([&](const JournalEntry& e) {
    d.deleteEntry(e.id);
    return false;
  });
  entry(d, "Call", june(4, 9), 60);
  sync(*desktop);
  const std::string token = laptop->state.collection(SyncState::Kind::Entry).syncToken;
  for (const char* collection : {"tasks", "timelog"})
    std::filesystem::remove_all(server->storage() + "/collection-root/alice/" + collection +
                                "/.Radicale.cache/sync-token");
  HttpClient http("alice", "", 1);
  ASSERT_EQ(
      DavClient(http, server->url()).changesSince(server->url("/alice/timelog/"), token).refused,
      DavClient::Refusal::Token);
  const SyncResult r = sync(*laptop);
  EXPECT_EQ(contents(laptop->store), contents(d));
  EXPECT_EQ(r.received + r.deleted, 2) << r.summary();
  EXPECT_NE(laptop->state.collection(SyncState::Kind::Entry).syncToken, token);
}

// The time log was deleted on the server: it is made again and filled from the store.
TEST_F(OutageTest, ACollectionDeletedOnTheServerIsMadeAgain) {
  dayOfWork(laptop->store, 3);
  sync(*laptop);
  ASSERT_EQ(request("DELETE", "/alice/timelog/").status, 200);
  EXPECT_EQ(sync(*laptop).sent, 3);
  EXPECT_EQ(laptop->store.tasks().size(), 1u);
  EXPECT_EQ(onServer("/alice/timelog/").size(), 3u);
}

// A server with a certificate of its own is refused with a message that says how to trust it;
// ca_file in sync.ini (a path beside it) names the certificate, for this server only.
TEST_F(OutageTest, ASelfSignedServerIsTrustedOnlyThroughCaFile) {
  server = std::make_unique<test::RadicaleServer>("", true);
  dayOfWork(laptop->store, 1);
  const std::string ini = folder.file("sync.ini");
  test::writeBytes(ini, "[server]\nurl = " + server->url() + "\nusername = alice\n");
  const std::string untrusted = test::failureOf<SyncError>(
      [&] { CalendarSync(laptop->store, laptop->state, *SyncConfig::load(ini)).run(); });
  EXPECT_TRUE(test::has(untrusted, "certificate is not trusted")) << untrusted;
  EXPECT_TRUE(test::has(untrusted, "ca_file = PATH")) << untrusted;
  std::filesystem::copy_file(server->certificate(), folder.file("server.pem"));
  test::writeBytes(ini, test::readBytes(ini) + "ca_file = server.pem\n");
  EXPECT_EQ(CalendarSync(laptop->store, laptop->state, *SyncConfig::load(ini)).run().sent, 2);
  test::writeBytes(ini, test::readBytes(ini) + "[other]\n");
  std::filesystem::remove(folder.file("server.pem"));
  EXPECT_THROW(SyncConfig::load(ini), SyncError);
}

}  // namespace
}  // namespace tw

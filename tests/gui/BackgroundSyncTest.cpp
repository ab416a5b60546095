// The window's synchronisation: it follows changes of the store on its own, on a thread of its
// own, and says what happened, against a real Radicale; closing cancels a run that waits on a
// server which never answers.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

#include "../sync/RadicaleServer.h"
#include "gui/sync/BackgroundSync.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteStoreOpener.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

constexpr int kHour = 60 * 60 * 1000;

// Polls only when the test says so.
BackgroundSync::Timing drivenTiming() {
  BackgroundSync::Timing timing;
  timing.pollMs = kHour;
  timing.settleMs = 0;
  timing.periodMs = kHour;
  return timing;
}

void addTask(JournalStore& store, const std::string& subject) {
  store.addTask(Task{0, "", subject, "", TaskStatus::NotStarted, 0});
}

// Changes of the window's connection and of another program are sent; the run's own changes
// of the store (what the server answered) start no further run.
TEST(BackgroundSyncTest, ChangesAreSentTheRunsOwnStartNoRunAndAFailureIsSaid) {
  test::RadicaleServer server;
  test::TempFolder folder;
  const std::string path = folder.file("store.db");
  SqliteStoreOpener opener;
  SqliteJournalStore window(path);
  SqliteJournalStore other(path);  // the command line, or another program
  SyncConfig config;
  config.url = server.url();
  config.username = "alice";
  BackgroundSync sync(opener, path, config, drivenTiming());
  QSignalSpy finished(&sync, &BackgroundSync::finished);
  sync.poll();  // the first look runs, and makes the server's calendars
  ASSERT_TRUE(finished.wait(60000));
  sync.poll();
  EXPECT_FALSE(sync.busy());

  const struct {
    const char* who;
    JournalStore& store;
  } changes[] = {{"the window", window}, {"another program", other}};
  for (const auto& change : changes) {
    SCOPED_TRACE(change.who);
    addTask(change.store, change.who);
    sync.poll();
    EXPECT_TRUE(sync.busy());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(sync.status().contains(QStringLiteral("sent 1"))) << sync.status().toStdString();
    sync.poll();
    EXPECT_FALSE(sync.busy());
  }

  server.stop();
  addTask(other, "Billing");
  sync.poll();
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_TRUE(sync.status().startsWith(QStringLiteral("Synchronisation failed at")))
      << sync.status().toStdString();
}

// A server that takes requests and never answers them.
class SilentServer {
 public:
  SilentServer() { EXPECT_TRUE(server_.listen(QHostAddress::LocalHost)); }
  std::string url() const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/dav/";
  }
  // The connection of the first request, once it came.
  QTcpSocket* awaitRequest() {
    if (!server_.waitForNewConnection(60000)) return nullptr;
    return server_.nextPendingConnection();
  }

 private:
  QTcpServer server_;
};

TEST(BackgroundSyncTest, CancellingOrClosingEndsARunThatWaitsOnTheServer) {
  SilentServer server;
  test::TempFolder folder;
  const std::string path = folder.file("store.db");
  SqliteStoreOpener opener;
  SyncConfig config;
  config.url = server.url();
  BackgroundSync::Timing timing = drivenTiming();
  // Only cancelling ends a request, never its bound.
  timing.requestSeconds = 24 * 60 * 60;
  auto sync = std::make_unique<BackgroundSync>(opener, path, config, timing);
  QSignalSpy finished(sync.get(), &BackgroundSync::finished);

  sync->runSoon();
  ASSERT_NE(server.awaitRequest(), nullptr);
  sync->cancel();
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_TRUE(sync->status().contains(QStringLiteral("cancelled"))) << sync->status().toStdString();
  sync->runSoon();
  EXPECT_FALSE(sync->busy());

  // Closing: the destructor cancels, so it returns although the server never answers.
  sync = std::make_unique<BackgroundSync>(opener, path, config, timing);
  sync->runSoon();
  QTcpSocket* request = server.awaitRequest();
  ASSERT_NE(request, nullptr);
  sync.reset();
  EXPECT_TRUE(request->state() == QAbstractSocket::UnconnectedState ||
              request->waitForDisconnected(60000));
}

}  // namespace
}  // namespace tw

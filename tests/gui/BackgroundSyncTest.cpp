// The window's synchronisation: it follows changes of the store on its own, on a thread of its
// own, and says what happened, against a real Radicale.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "../sync/RadicaleServer.h"
#include "gui/BackgroundSync.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteStoreOpener.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

TEST(BackgroundSyncTest, AChangeOfTheStoreIsSentAndAFailureSaidWithoutAnyoneAsking) {
  test::RadicaleServer server;
  test::TempFolder folder;
  const std::string path = folder.file("store.db");
  SqliteStoreOpener opener;
  SqliteJournalStore store(path);
  SyncConfig config;
  config.url = server.url();
  config.username = "alice";
  BackgroundSync sync(
      opener, path, config, [&store] { return store.changeCount(); },
      BackgroundSync::Timing{10, 10, 60 * 60 * 1000});
  QSignalSpy finished(&sync, &BackgroundSync::finished);

  Task t;
  t.subject = "Page layout";
  store.addTask(t);
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_TRUE(sync.status().contains(QStringLiteral("Synchronised at")))
      << sync.status().toStdString();
  EXPECT_TRUE(sync.status().contains(QStringLiteral("sent 1"))) << sync.status().toStdString();

  server.stop();
  t.subject = "Billing";
  store.addTask(t);
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_TRUE(sync.status().startsWith(QStringLiteral("Synchronisation failed at")))
      << sync.status().toStdString();
}

}  // namespace
}  // namespace tw

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "RadicaleServer.h"
#include "core/ManualClock.h"
#include "core/TimeZone.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteSyncState.h"
#include "sync/CalendarSync.h"
#include "sync/DavClient.h"
#include "sync/EntryKind.h"
#include "sync/HttpClient.h"
#include "tests/support/Entries.h"
#include "tests/support/FailureOf.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"

namespace tw::test {

// Stores of their own ("laptop", "desktop") synchronising through a real Radicale (or the
// server at home, when a derived fixture names one), in the time zone of Berlin.
class SyncFixture : public ::testing::Test {
 protected:
  explicit SyncFixture(bool radicale = true)
      : server(radicale ? std::make_unique<RadicaleServer>() : nullptr) {}

  struct Computer {
    Computer(const std::string& path, const Clock& clock)
        : store(path, SqliteJournalStore::Options{Database::Mode::Create, 3000, &clock}),
          state(store) {}
    SqliteJournalStore store;
    SqliteSyncState state;
  };

  std::unique_ptr<Computer> computer(const std::string& name) const {
    return std::make_unique<Computer>(folder.file(name), clock);
  }

  SyncConfig config() const {
    SyncConfig c;
    c.url = home.empty() ? server->url() : home;
    c.username = user;
    c.taskLists = taskLists;
    if (!taskLists.empty()) c.tasks = taskLists.front();
    return c;
  }

  SyncResult sync(Computer& c, CalendarSync::Options options = {}) {
    options.clock = &clock;
    return CalendarSync(c.store, c.state, config(), options).run();
  }

  static DateTime june(int day, int hour, int minute = 0) {
    return DateTime::fromParts(2024, 6, day, hour, minute);
  }

  static Task task(JournalStore& store, const std::string& subject,
                   TaskStatus status = TaskStatus::NotStarted, const std::string& categories = "") {
    return store.addTask(Task{0, "", subject, categories, status, 0});
  }

  static JournalEntry entry(JournalStore& store, const std::string& subject, DateTime localStart,
                            std::int64_t seconds, const std::string& taskUid = "",
                            const std::string& type = "Task") {
    JournalEntry e = localEntry(subject, localStart, seconds, type);
    e.taskUid = taskUid;
    return store.addEntry(e);
  }

  // Every task and entry with all its synchronised fields, in uid order.
  static std::vector<std::string> contents(JournalStore& store) {
    std::vector<std::string> out;
    for (const Task& t : store.tasks())
      out.push_back(t.uid + " task " + t.subject + "|" + t.categories + "|" +
                    std::to_string(static_cast<int>(t.status)));
    store.visitAll([&](const JournalEntry& e) {
      std::string line = e.uid + " entry";
      for (const std::string& f : EntryKind::fieldsOf(e)) line += "|" + f;
      out.push_back(line);
      return true;
    });
    std::sort(out.begin(), out.end());
    return out;
  }

  // A request of another program.
  HttpClient::Response request(const std::string& method, const std::string& path,
                               const std::string& body = {},
                               std::vector<std::string> headers = {}) {
    HttpClient http("alice", "", 1);
    return http.perform({method, server->url(path), std::move(headers), body});
  }

  // The objects of a collection on the server.
  std::vector<DavClient::Resource> onServer(const std::string& collection) {
    HttpClient http("alice", "", 4);
    DavClient dav(http, server->url());
    std::vector<std::string> hrefs;
    for (const DavClient::Member& m : dav.members(server->url(collection))) hrefs.push_back(m.href);
    return dav.fetch(server->url(collection), hrefs);
  }

  const ScopedTimeZone berlin{"Europe/Berlin"};
  TempFolder folder;
  std::unique_ptr<RadicaleServer> server;
  // Another server's calendar home, used instead of Radicale's, and the user there.
  std::string home;
  std::string user = "alice";
  // The task lists chosen, the first the default one; none: the one found, as before lists.
  std::vector<std::string> taskLists;
  ManualClock clock{Instant::fromUnix(1'717'000'000)};
  std::unique_ptr<Computer> laptop = computer("laptop.db");
  std::unique_ptr<Computer> desktop = computer("desktop.db");
};

}  // namespace tw::test

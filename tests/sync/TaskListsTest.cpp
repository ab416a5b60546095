#include <gtest/gtest.h>

#include "RawDatabase.h"
#include "SyncFixture.h"
#include "sync/Href.h"
#include "sync/SyncQueue.h"

namespace tw {
namespace {

constexpr const char* kNothing = "sent 0, received 0, conflicts 0, deleted 0";

std::string vtodo(const std::string& uid, const std::string& summary) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:" + uid +
         "\r\nDTSTAMP:20240601T080000Z\r\nSUMMARY:" + summary +
         "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
}

// Two task lists another program filled, "work" (the default) and "home".
class TaskListsTest : public test::SyncFixture {
 protected:
  void SetUp() override {
    for (const char* list : {"/alice/work/", "/alice/home/"})
      ASSERT_EQ(request("MKCALENDAR", list).status, 201);
    ASSERT_EQ(request("PUT", "/alice/work/report.ics", vtodo("report", "Report")).status, 201);
    ASSERT_EQ(request("PUT", "/alice/home/garden.ics", vtodo("garden", "Garden")).status, 201);
  }

  SyncResult syncLists(Computer& c, const std::vector<std::string>& chosen = {"work", "home"}) {
    SyncConfig lists = config();
    lists.tasks = server->url("/alice/work/");
    for (const std::string& name : chosen)
      lists.taskLists.push_back(server->url("/alice/" + name + "/"));
    CalendarSync::Options options;
    options.clock = &clock;
    return CalendarSync(c.store, c.state, lists, options).run();
  }

  // "subject list-path" of each task, in the order stored.
  static std::string lists(JournalStore& store) {
    std::string out;
    for (const Task& t : store.tasks())
      out += t.subject + " " + (t.list.empty() ? "-" : Href::path(t.list)) + ";";
    return out;
  }
};

// Tasks come with their list, a new one goes to the default list, and the lists converge.
TEST_F(TaskListsTest, TasksKeepTheirListAndNewOnesGoToTheDefault) {
  task(laptop->store, "Call");
  EXPECT_EQ(syncLists(*laptop).sent, 1);
  const char* expected = "Call /alice/work/;Report /alice/work/;Garden /alice/home/;";
  EXPECT_EQ(lists(laptop->store), expected);
  EXPECT_EQ(onServer("/alice/work/").size(), 2u);
  EXPECT_EQ(syncLists(*laptop).summary(), kNothing);
  syncLists(*desktop);
  EXPECT_EQ(contents(desktop->store), contents(laptop->store));
}

// A list no longer chosen is left alone, its tasks and state kept: chosen again, it sends what
// changed meanwhile here and takes what changed there, without a duplicate.
TEST_F(TaskListsTest, AListChosenAgainGoesOnWhereItStopped) {
  syncLists(*laptop);
  Task garden = *laptop->store.taskByUid("garden");
  garden.subject = "Garden, front";
  laptop->store.updateTask(garden);
  ASSERT_EQ(request("PUT", "/alice/home/roses.ics", vtodo("roses", "Roses")).status, 201);
  EXPECT_EQ(syncLists(*laptop, {"work"}).summary(), kNothing);
  EXPECT_EQ(laptop->store.taskByUid("garden")->list, server->url("/alice/home/"));
  const SyncResult again = syncLists(*laptop);
  EXPECT_EQ(again.sent + again.received, 2) << again.summary();
  EXPECT_EQ(onServer("/alice/home/").size(), 2u);
  EXPECT_EQ(lists(laptop->store),
            "Report /alice/work/;Garden, front /alice/home/;Roses /alice/home/;");
}

// A chosen list gone from the server is named and skipped, its tasks kept; the default list is
// made again and filled.
TEST_F(TaskListsTest, AListGoneIsSkippedAndTheDefaultOneMadeAgain) {
  syncLists(*laptop);
  ASSERT_EQ(request("DELETE", "/alice/home/").status / 100, 2);
  ASSERT_EQ(request("DELETE", "/alice/work/").status / 100, 2);
  const SyncResult r = syncLists(*laptop);
  EXPECT_EQ(r.summary(), "sent 1, received 0, conflicts 0, deleted 0");
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(
      r.problems[0].text(),
      "task list /alice/home/: skipped: it is no longer on the server; its tasks are kept here");
  EXPECT_EQ(lists(laptop->store), "Report /alice/work/;Garden /alice/home/;");
}

// The same UID on two lists: the task stays on the list it came from first, never twice, never
// flipping; its changes go to that list only.
TEST_F(TaskListsTest, TheSameUidOnTwoListsStaysOnOne) {
  ASSERT_EQ(request("PUT", "/alice/home/report.ics", vtodo("report", "Report at home")).status,
            201);
  for (int run = 0; run < 2; ++run) {
    syncLists(*laptop);
    EXPECT_EQ(lists(laptop->store), "Report /alice/work/;Garden /alice/home/;") << run;
  }
  Task report = *laptop->store.taskByUid("report");
  report.subject = "Report, final";
  laptop->store.updateTask(report);
  EXPECT_EQ(syncLists(*laptop).sent, 1);
  for (const DavClient::Resource& r : onServer("/alice/home/"))
    EXPECT_EQ(r.ical.find("Report, final"), std::string::npos) << r.ical;
}

// A deletion given up brings the task back on the list its copy is on.
TEST_F(TaskListsTest, ADeletionGivenUpComesBackOnItsList) {
  syncLists(*laptop);
  laptop->store.deleteTask(laptop->store.taskByUid("garden")->id);
  SyncQueue(laptop->store, std::make_unique<SqliteSyncState>(laptop->store), clock).drop("garden");
  EXPECT_EQ(syncLists(*laptop).summary(), kNothing);
  EXPECT_EQ(lists(laptop->store), "Report /alice/work/;Garden /alice/home/;");
}

// The account moved to another calendar home: the tasks of the old lists go to the new
// default list rather than out of sight.
TEST_F(TaskListsTest, AfterAMoveTheOldListsTasksGoToTheNewDefault) {
  syncLists(*laptop);
  user = "bob";
  home = server->url("/bob/");
  EXPECT_EQ(sync(*laptop).sent, 2);
  EXPECT_EQ(lists(laptop->store), "Report /bob/tasks/;Garden /bob/tasks/;");
}

// A store of the version before task lists, synchronised: after the upgrade nothing is sent or
// received, and its tasks are on the one list it knew.
TEST_F(TaskListsTest, AnUpgradedStoreSendsNothingAgain) {
  task(laptop->store, "Call");
  entry(laptop->store, "Call", DateTime::fromParts(2024, 6, 3, 9), 600);
  sync(*laptop);
  const std::vector<std::string> before = contents(laptop->store);
  laptop.reset();
  test::RawDatabase(folder.file("laptop.db"))
      .exec(
          "ALTER TABLE tasks DROP COLUMN list; CREATE TABLE c8 AS SELECT kind, url, home,"
          " sync_token, ctag, report_refused FROM sync_collections; DROP TABLE sync_collections;"
          " CREATE TABLE sync_collections(kind TEXT PRIMARY KEY, url TEXT NOT NULL, home TEXT"
          " NOT NULL, sync_token TEXT NOT NULL, ctag TEXT NOT NULL, report_refused INTEGER NOT"
          " NULL DEFAULT 0) WITHOUT ROWID; INSERT INTO sync_collections SELECT * FROM c8;"
          " DROP TABLE c8; PRAGMA user_version = 8;");
  laptop = computer("laptop.db");
  CalendarSync::Options options;
  options.clock = &clock;
  CalendarSync upgraded(laptop->store, laptop->state, config(), options);
  EXPECT_EQ(upgraded.run().summary(), kNothing);
  EXPECT_EQ(upgraded.requestCount(), 2u) << "one REPORT per collection";
  EXPECT_EQ(contents(laptop->store), before);
  EXPECT_EQ(lists(laptop->store), "Call /alice/tasks/;");
  EXPECT_EQ(onServer("/alice/tasks/").size() + onServer("/alice/timelog/").size(), 2u);
}

}  // namespace
}  // namespace tw

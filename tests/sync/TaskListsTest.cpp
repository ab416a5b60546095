#include <gtest/gtest.h>

#include "RawDatabase.h"
#include "SyncFixture.h"
#include "sync/Href.h"
#include "sync/SyncQueue.h"

namespace tw {
namespace {

constexpr const char* kNothing = "sent 0, received 0, conflicts 0, deleted 0";

// Two task lists another program filled, "work" (the default) and "home", both chosen.
class TaskListsTest : public test::SyncFixture {
 protected:
  void SetUp() override {
    for (const char* list : {"/alice/work/", "/alice/home/"}) {
      request("MKCALENDAR", list);
      taskLists.push_back(server->url(list));
    }
    put("work", "report", "Report");
    put("home", "garden", "Garden");
  }

  void put(const std::string& list, const std::string& uid, const std::string& summary) {
    const std::string ics =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//X//EN\r\nBEGIN:VTODO\r\nUID:" + uid +
        "\r\nDTSTAMP:20240601T080000Z\r\nSUMMARY:" + summary + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    ASSERT_EQ(request("PUT", "/alice/" + list + "/" + uid + ".ics", ics).status, 201);
  }

  // "subject list-path;" of each task, in the order stored.
  std::string lists() const {
    std::string out;
    for (const Task& t : laptop->store.tasks())
      out += t.subject + " " + (t.list.empty() ? "-" : Href::path(t.list)) + ";";
    return out;
  }
};

// A list no longer chosen keeps its tasks and state; chosen again, it goes on without duplicates.
TEST_F(TaskListsTest, TasksKeepTheirListAndAListChosenAgainGoesOn) {
  task(laptop->store, "Call");
  EXPECT_EQ(sync(*laptop).sent, 1);
  EXPECT_EQ(lists(), "Call /alice/work/;Report /alice/work/;Garden /alice/home/;");
  Task garden = *laptop->store.taskByUid("garden");
  garden.subject = "Garden, front";
  laptop->store.updateTask(garden);
  put("home", "roses", "Roses");
  taskLists.pop_back();
  EXPECT_EQ(sync(*laptop).summary(), kNothing);
  taskLists.push_back(server->url("/alice/home/"));
  EXPECT_EQ(sync(*laptop).summary(), "sent 1, received 1, conflicts 0, deleted 0");
  EXPECT_EQ(lists(),
            "Call /alice/work/;Report /alice/work/;Garden, front /alice/home/;Roses /alice/home/;");
}

// A chosen list gone is skipped, its tasks kept; the default one is made again and filled.
TEST_F(TaskListsTest, AListGoneIsSkippedAndTheDefaultOneMadeAgain) {
  sync(*laptop);
  laptop->store.deleteTask(laptop->store.taskByUid("garden")->id);
  SyncQueue(laptop->store, std::make_unique<SqliteSyncState>(laptop->store), clock).drop("garden");
  for (const char* list : {"/alice/home/", "/alice/work/"}) request("DELETE", list);
  const SyncResult r = sync(*laptop);
  EXPECT_EQ(r.summary(), "sent 1, received 0, conflicts 0, deleted 0");
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_NE(r.problems[0].text().find("task list /alice/home/: skipped: it is no longer on"),
            std::string::npos);
  EXPECT_EQ(lists(), "Report /alice/work/;Garden /alice/home/;");
}

// One UID on two lists stays on the first; after a move the tasks go to the new default list.
TEST_F(TaskListsTest, OneUidOnTwoListsStaysOnOneAndAMoveTakesTheTasksAlong) {
  put("home", "report", "Report at home");
  for (int run = 0; run < 2; ++run) {
    sync(*laptop);
    EXPECT_EQ(lists(), "Report /alice/work/;Garden /alice/home/;") << run;
  }
  taskLists.clear();
  user = "bob";
  home = server->url("/bob/");
  sync(*laptop);
  EXPECT_EQ(lists(), "Report /bob/tasks/;Garden /bob/tasks/;");
}

// A store synchronised before task lists sends nothing again after the upgrade.
TEST_F(TaskListsTest, AnUpgradedStoreSendsNothingAgain) {
  taskLists.clear();
  entry(laptop->store, "Call", DateTime::fromParts(2024, 6, 3, 9), 600,
        task(laptop->store, "Call").uid);
  sync(*laptop);
  laptop.reset();
  test::RawDatabase(folder.file("laptop.db"))
      .exec(
          "ALTER TABLE tasks DROP COLUMN list; ALTER TABLE sync_collections DROP COLUMN"
          " is_default; PRAGMA user_version = 8;");
  laptop = computer("laptop.db");
  int answers = 0;
  CalendarSync::Options counting;
  counting.afterAnswer = [&] { ++answers; };
  EXPECT_EQ(sync(*laptop, counting).summary(), kNothing);
  EXPECT_EQ(answers, 0) << "PUTs or DELETEs";
  EXPECT_EQ(lists(), "Call /alice/tasks/;");
}

}  // namespace
}  // namespace tw

// tallyworks sync and sync queue against a small fake CalDAV server that refuses one entry.
#include <gtest/gtest.h>

#include <filesystem>

#include "../sync/FakeServer.h"
#include "CliFixture.h"
#include "store/sqlite/SqliteJournalStore.h"

namespace tw::test {
namespace {

// Two empty calendars at /alice/; an event whose summary is "Refused" is refused.
FakeServer::Reply calDav(const FakeServer::Request& r) {
  const std::string ns =
      "<d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">";
  if (r.method == "PUT" && has(r.body, "SUMMARY:Refused") && has(r.body, "BEGIN:VEVENT"))
    return {403,
            {},
            "<?xml version=\"1.0\"?><d:error xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:"
            "xml:ns:caldav\"><c:valid-calendar-data/><d:responsedescription>DTEND must "
            "occur after DTSTART</d:responsedescription></d:error>"};
  if (r.method == "PUT") return {201, {"ETag: \"1\""}, ""};
  if (r.method == "REPORT")
    return {207, {}, ns + "<d:sync-token>t1</d:sync-token></d:multistatus>"};
  std::string body = ns;
  for (const char* c : {"/alice/tasks/", "/alice/timelog/"})
    body += std::string("<d:response><d:href>") + c +
            "</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/>"
            "</d:resourcetype><c:calendar-home-set><d:href>/alice/</d:href>"
            "</c:calendar-home-set></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
            "</d:response>";
  return {207, {}, body + "</d:multistatus>"};
}

class SyncCommandsTest : public CliTest {
 protected:
  SyncCommandsTest() {
    std::filesystem::create_directories(folder.file("tallyworks"));
    writeBytes(folder.file("tallyworks/sync.ini"),
               "[server]\nurl = " + server.url() + "\nusername = alice\n");
  }
  FakeServer server{calDav};
};

// A refused change is printed with the server's words and fails the run; it waits in the queue,
// held, until retried, and dropping a creation keeps the entry here only.
TEST_F(SyncCommandsTest, RefusalsArePrintedAndTheQueueListsRetriesAndDropsThem) {
  ASSERT_EQ(run({"task", "add", "Refused"}), 0) << err.str();
  ASSERT_EQ(run({"journal", "add", "--subject", "Refused", "--start", "3/1/2024 9:00 AM",
                 "--minutes", "5"}),
            0)
      << err.str();
  std::string uid;
  {
    SqliteJournalStore s(store);
    s.visitAll([&](const JournalEntry& e) {
      uid = e.uid;
      return false;
    });
  }
  EXPECT_EQ(run({"sync"}), 1);
  EXPECT_EQ(out.str(),
            "sent 1, received 0, conflicts 0, deleted 0, 1 refused by the server\n"
            "  journal entry “Refused” of 3/1/2024 9:00:00 AM: refused (HTTP 403): "
            "valid-calendar-data: DTEND must occur after DTSTART\n");
  EXPECT_EQ(err.str(),
            "tallyworks: The server refused 1 changes; they wait in the queue (tallyworks sync "
            "queue).\n");
  const std::string listed = output({"sync", "queue"});
  EXPECT_EQ(
      listed.rfind(uid + "  new  journal entry “Refused” of 3/1/2024 9:00:00 AM\n     refused ", 0),
      0u)
      << listed;
  EXPECT_TRUE(has(listed, " (HTTP 403): valid-calendar-data: DTEND must occur after DTSTART\n"))
      << listed;
  EXPECT_EQ(output({"sync", "queue", "--drop", uid}), "");
  EXPECT_TRUE(has(output({"sync", "queue"}), uid + "  kept here only  journal entry “Refused”"));
  EXPECT_EQ(output({"sync", "queue", "--retry", uid}), "");
  EXPECT_EQ(output({"sync", "queue"}),
            uid + "  new  journal entry “Refused” of 3/1/2024 9:00:00 AM\n");
  const CommandCase cases[] = {
      {{"sync", "queue", "--retry", "no-such-uid"}, "", 1, "No change of that UID waits"},
      {{"sync", "queue", "--retry", uid, "--drop", uid}, "", 2, "excludes"},
  };
  for (const CommandCase& c : cases) expectCase(c);
}

}  // namespace
}  // namespace tw::test

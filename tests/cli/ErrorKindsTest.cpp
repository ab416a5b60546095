// Every layer's failures reach the windows and the command line as Tallyworks's own Error,
// with a description for people, never as a bare library exception.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "cli/CommandLine.h"
#include "core/DateText.h"
#include "core/Error.h"
#include "core/IniFile.h"
#include "core/JournalLines.h"
#include "core/ManualClock.h"
#include "import/GtimelogReader.h"
#include "import/InputText.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "sync/SyncConfig.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"
#include "tracking/TrackingSession.h"

namespace tw {
namespace {

TEST(ErrorKindsTest, EachLayerFailsWithAnErrorOfOurs) {
  test::TempFolder folder;
  test::writeBytes(folder.file("not-a-store.db"), std::string(4096, 'x'));
  SqliteJournalStore store(folder.file("store.db"));
  ManualClock clock(DateTime::fromParts(2024, 3, 11, 9));
  TrackingSession session(store, clock, ProcessIdentity::self(), EntryTypeRule(""));
  std::istringstream notGtimelog("nothing a time log holds\n");
  InputText input(notGtimelog, "timelog.txt");
  const struct {
    const char* layer;
    std::function<void()> fail;
    const char* described;
  } cases[] = {
      {"date text", [] { DateText::parse("2/30/2024"); }, "does not exist"},
      {"journal line", [] { JournalLines::parse("{"); }, "not valid JSON"},
      {"settings file", [&] { IniFile::load(folder.path()); }, "not a file"},
      {"store", [&] { SqliteJournalStore(folder.file("not-a-store.db")); }, "not-a-store.db"},
      {"tracking", [&] { session.start("No such task"); }, "No such task"},
      {"import", [&] { GtimelogReader::read(input); }, "timelog.txt"},
      {"sync settings", [] { SyncConfig::parse("[server]\nusername = a\n", "sync.ini"); },
       "needs url"},
      {"command line", [] { CommandLine::windowStore({"--store"}); }, "--store needs"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layer);
    try {
      c.fail();
      ADD_FAILURE() << "did not fail";
    } catch (const Error& e) {
      EXPECT_TRUE(test::has(std::string(e.what()), c.described)) << e.what();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "not one of ours: " << e.what();
    }
  }
}

}  // namespace
}  // namespace tw

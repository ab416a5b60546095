// Malformed and hostile files, for every source: each is refused (or its bad part skipped)
// with a message that says where and why, and nothing is read beyond the bounds.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <streambuf>

#include "ImportFixture.h"
#include "import/CsvReader.h"
#include "import/GtimelogReader.h"
#include "import/HamsterReader.h"
#include "import/ImportError.h"
#include "import/TimewarriorReader.h"
#include "import/ical/KtimetrackerReader.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteStoreOpener.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"

namespace tw::test {
namespace {

ForeignJournal readAs(const std::string& source, std::istream& in) {
  InputText input(in, "the input");
  if (source == "timewarrior") return TimewarriorReader::read(input);
  if (source == "gtimelog") return GtimelogReader::read(input);
  if (source == "ktimetracker") return KtimetrackerReader::read(input);
  return CsvReader::read(input, {});
}

// The error a text gives, or "" when it is read.
std::string errorOf(const std::string& source, const std::string& text) {
  std::istringstream in(text);
  return failureOf<ImportError>([&] { readAs(source, in); });
}

std::string skippedOf(const std::string& source, const std::string& text) {
  std::istringstream in(text);
  std::string out;
  for (const ForeignJournal::Skipped& s : readAs(source, in).skipped)
    out += s.where + ": " + s.reason + "\n";
  return out;
}

struct Case {
  const char* source;
  std::string text;
  const char* error;
};

const std::string kCsvHeader =
    "Project,Description,Start date,Start time,End date,End time,Duration,Tags\n";

TEST(ReadersTest, MalformedFilesAreRefusedSayingWhereAndWhy) {
  const Case cases[] = {
      {"timewarrior", "[\n{\"start\":\"20240328T080000Z\",\"end\":\"2024", "line 2 of the input"},
      {"timewarrior", "{\"start\":\"20240328T080000Z\"}", "no list"},
      {"timewarrior", "[1]", "interval 1: it is not a JSON object"},
      {"timewarrior", "[{\"start\":20240328}]", "interval 1: \"start\" is not a text"},
      {"timewarrior", "[{\"end\":\"20240328T080000Z\"}]", "\"start\" is missing"},
      {"timewarrior", "[{\"start\":\"20240328T080000Z\",\"tags\":\"Admin\"}]",
       "\"tags\" is not a list"},
      {"timewarrior", "[{\"start\":\"20240328T080000Z\",\"tags\":[1]}]", "\"tags\" is not a text"},
      {"timewarrior", "[{\"start\":\"20240230T080000Z\"}]", "February 30, 2024 does not exist"},
      {"timewarrior", "[{\"start\":\"2024-03-28T08:00:00\"}]", "is not YYYYMMDDThhmmssZ"},
      {"timewarrior", "[{\"start\":\"20240328T080000Z\",\"end\":\"20240328T070000Z\"}]",
       "interval 1: it ends before it starts"},
      {"timewarrior", "[{\"start\":\"20240328T080000Z\",\"tags\":[\"\xff\"]}]",
       "not the JSON of timew export"},
      {"timewarrior", "", "not the JSON of timew export"},
      {"timewarrior", "[{\"start\":\"20240328T080000Z\",\"id\":1e1111}]", "out of range"},
      {"gtimelog", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "is not a gtimelog file"},
      {"ktimetracker", "hello", "is not KTimeTracker's iCalendar file"},
      {"ktimetracker", "\x89PNG\r\n", "is not KTimeTracker's iCalendar file"},
      {"csv", "", "is empty"},
      {"csv", "Name,Hours\nx,1\n", "has no start column"},
      {"csv", kCsvHeader + "A,b,2024-03-28\n",
       "line 2 of the input: it has 3 fields, the header 8"},
      {"csv", kCsvHeader + "A,b,2024-02-30,09:00,,,1,\n",
       "the start date \"2024-02-30\" is no date"},
      {"csv", kCsvHeader + "A,b,2024-03-28,25:00,,,1,\n", "the start time \"25:00\" is no time"},
      {"csv", kCsvHeader + "A,b,2024-03-28,09:00,,,soon,\n", "neither h:mm:ss nor hours"},
      {"csv", kCsvHeader + "A,b,2024-03-28,09:00,,,,\n", "neither an end nor a duration"},
      {"csv", kCsvHeader + "A,\"b,2024-03-28,09:00,,,1,\n", "a quoted field is not closed"},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(has(errorOf(c.source, c.text), c.error))
        << c.source << ": " << c.text << " gave: " << errorOf(c.source, c.text);
}

TEST(ReadersTest, PartsTheProgramItselfWouldNotCountAreSkippedWithTheReason) {
  const auto event = [](const std::string& lines) {
    return "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n" + lines + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  };
  const Case cases[] = {
      {"gtimelog", "2024-03-28 09:00: arrived\n2024-03-28 9:40: x\n2024-03-28 10:00: a\n",
       "line 2: gtimelog reads no time in it: \"2024-03-28 9:40: x\""},
      {"gtimelog", "2024-03-28 09:00: arrived\n2024-13-01 09:40: x\n", "line 2: gtimelog reads"},
      {"gtimelog", "2024-03-28 09:00: arrived\n2024-03-28 09:40: coffee **\n",
       "line 2: not work (**): \"coffee **\""},
      {"gtimelog", "2024-03-28 09:00: arrived\n2024-03-28 09:40: call -- ***\n",
       "line 2: hidden from gtimelog's reports (***)"},
      {"gtimelog", "2024-03-28 09:00: arrived\n2024-03-28 09:40: \n", "an entry without text"},
      {"ktimetracker", event("UID:e1\r\nDTSTART;VALUE=DATE:20240328"),
       "event \"e1\": it has no start of day and time"},
      {"ktimetracker", event("DTSTART:20240328T090000"), "event 1: it has no UID"},
      {"ktimetracker", event("UID:e2\r\nDTSTART:banana"),
       "event \"e2\": it has no start of day and time"},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(has(skippedOf(c.source, c.text), c.error))
        << c.source << ": " << c.text << " skipped: " << skippedOf(c.source, c.text);
}

// The real files cut short anywhere: refused saying why, or read as far as they go, never more.
TEST(ReadersTest, TruncatedFilesAreRefusedOrReadAsFarAsTheyGo) {
  const std::pair<const char*, const char*> files[] = {{"timewarrior", "timewarrior-export.json"},
                                                       {"gtimelog", "gtimelog-timelog.txt"},
                                                       {"ktimetracker", "ktimetracker.ics"},
                                                       {"csv", "web-tracker.csv"}};
  for (const auto& [source, name] : files) {
    const std::string whole = readBytes(std::string(TW_IMPORT_DATA) + "/" + name);
    std::istringstream all(whole);
    const std::size_t entries = readAs(source, all).entries.size();
    for (std::size_t cut = 1; cut < whole.size(); cut += 7) {
      std::istringstream in(whole.substr(0, cut));
      try {
        EXPECT_LE(readAs(source, in).entries.size(), entries) << name << " cut at " << cut;
      } catch (const ImportError& e) {
        EXPECT_STRNE(e.what(), "") << name << " cut at " << cut;
      }
    }
  }
}

// An endless line: the reader must stop soon after the bound, not read a gigabyte.
class EndlessLine : public std::streambuf {
 public:
  std::size_t served() const { return served_; }

 protected:
  int_type underflow() override {
    if (served_ > (std::size_t{1} << 30)) return traits_type::eof();
    std::fill(std::begin(chunk_), std::end(chunk_), prefix_ ? '[' : 'x');
    prefix_ = false;
    served_ += sizeof chunk_;
    setg(chunk_, chunk_, chunk_ + sizeof chunk_);
    return traits_type::to_int_type(chunk_[0]);
  }

 private:
  char chunk_[4096];
  std::size_t served_ = 0;
  bool prefix_ = true;
};

TEST(ReadersTest, AGigabyteLineIsRefusedEarly) {
  for (const char* source : {"timewarrior", "gtimelog", "ktimetracker", "csv"}) {
    EndlessLine endless;
    std::istream in(&endless);
    const std::string e = failureOf<ImportError>([&] { readAs(source, in); });
    EXPECT_TRUE(has(e, "line 1 of the input: the line is longer than 1024 KiB"))
        << source << ": " << e;
    EXPECT_LT(endless.served(), std::size_t{2} << 20) << source;
  }
}

class HamsterFileTest : public ::testing::Test {
 protected:
  // A copy of the real database, changed by the SQL given.
  std::string copy(const char* sql) {
    std::string path = folder.file("copy" + std::to_string(++copies_) + ".db");
    hamsterDatabase(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    return path;
  }
  // Opening fails with a StoreError, reading with an ImportError.
  std::string errorOf(const std::string& path) {
    return failureOf<Error>([&] { HamsterReader::read(*opener.openHamster(path)); });
  }

  TempFolder folder;
  SqliteStoreOpener opener;

 private:
  int copies_ = 0;
};

TEST_F(HamsterFileTest, DatabasesThatAreNotHamstersOrAreDamagedAreRefused) {
  writeBytes(folder.file("text.db"), "activity\tstart\nx\t2024\n");
  { const SqliteJournalStore made(folder.file("tallyworks.db")); }
  const std::string whole = readBytes(hamsterDatabase(folder.file("whole.db")));
  writeBytes(folder.file("truncated.db"), whole.substr(0, 5000));
  const std::pair<std::string, const char*> cases[] = {
      {folder.file("missing.db"), "No such file"},
      {folder.path().string(), "it is not a file"},
      {folder.file("text.db"), "it is not a database"},
      {folder.file("tallyworks.db"), "it is not a Hamster database (its table \"facts\""},
      {folder.file("truncated.db"), "cannot be read"},
      {copy("ALTER TABLE facts DROP COLUMN end_time"), "lacks the column \"end_time\""},
      {copy("UPDATE facts SET start_time = 12 WHERE id = 1"), "fact 1: its start is not a text"},
      {copy("UPDATE facts SET start_time = NULL WHERE id = 2"), "fact 2: its start is missing"},
      {copy("UPDATE facts SET end_time = '2024-03-28 08:00:00' WHERE id = 1"),
       "fact 1: it ends before it starts"},
      {copy("UPDATE facts SET start_time = 'yesterday' WHERE id = 3"), "fact 3: its start"},
      {copy("UPDATE facts SET description = hex(zeroblob(40000)) WHERE id = 1"),
       "fact 1: its description is longer than 65536 bytes"},
      {copy("UPDATE tags SET name = x'00ff' WHERE id = 1"), "its tag is not a text"},
  };
  for (const auto& [path, error] : cases)
    EXPECT_TRUE(has(errorOf(path), error)) << path << ": " << errorOf(path);
}

TEST_F(HamsterFileTest, TheDatabaseIsReadWithoutChangingOrAddingAnything) {
  const std::string path = copy("PRAGMA journal_mode = DELETE");
  struct stat before {};
  ::stat(path.c_str(), &before);
  const std::string bytes = readBytes(path);
  chmod(path.c_str(), 0400);
  const auto facts = opener.openHamster(path);
  EXPECT_EQ(HamsterReader::read(*facts).entries.size(), 8u);
  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(readBytes(path), bytes);
  EXPECT_EQ(after.st_mtime, before.st_mtime);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace tw::test

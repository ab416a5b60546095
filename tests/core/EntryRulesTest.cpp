// What an entry and a task may hold: the one rule every way in asks.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/DateTime.h"
#include "core/EntryRules.h"
#include "tests/support/TextEdits.h"

namespace tw {
namespace {

JournalEntry sound() {
  JournalEntry e;
  e.subject = "Page layout";
  e.categories = "Design, Admin";
  e.body = "Two lines\r\nwith\ta tab";
  e.start = Instant::fromUnix(1'709'280'000);  // 2024-03-01 08:00 UTC
  e.utcOffset = 3600;
  e.seconds = 5400;
  return e;
}

// Instant of a UTC wall-clock reading.
Instant utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return Instant::fromLocal(DateTime::fromParts(year, month, day, hour, minute, second), 0);
}

TEST(EntryRules, AnEntryIsRefusedForEachThingItMayNotHold) {
  const struct {
    const char* what;
    std::function<void(JournalEntry&)> change;
    const char* why;  // a part of the answer; "" for an entry that is fine
  } cases[] = {
      {"sound", [](JournalEntry&) {}, ""},
      {"blank subject", [](JournalEntry& e) { e.subject = " \t"; },
       "the subject must not be empty"},
      {"tab in subject", [](JournalEntry& e) { e.subject = "a\tb"; }, "control character"},
      {"escape in categories", [](JournalEntry& e) { e.categories = "\x1b]0;x\x07"; },
       "the categories must not hold a control character"},
      {"DEL in type", [](JournalEntry& e) { e.type = "T\x7f"; }, "the type must not hold"},
      {"C1 in companies", [](JournalEntry& e) { e.companies = std::string("A\xc2\x9b") + "2J"; },
       "the companies must not hold"},
      {"escape in notes", [](JournalEntry& e) { e.body = "line\n\x1b[2J"; },
       "the notes must not hold a control character other than a tab or a line break"},
      {"bad byte", [](JournalEntry& e) { e.subject = "caf\xff"; }, "must be valid UTF-8"},
      {"overlong", [](JournalEntry& e) { e.subject = "\xc0\xaf"; }, "must be valid UTF-8"},
      {"surrogate", [](JournalEntry& e) { e.body = "\xed\xa0\x80"; }, "must be valid UTF-8"},
      {"cut short", [](JournalEntry& e) { e.categories = "\xe2\x82"; }, "must be valid UTF-8"},
      {"long subject", [](JournalEntry& e) { e.subject = std::string(4097, 'x'); },
       "must not be longer than 4,096 bytes"},
      {"long notes", [](JournalEntry& e) { e.body = std::string((1 << 20) + 1, 'x'); },
       "must not be longer than 1,048,576 bytes"},
      {"negative length", [](JournalEntry& e) { e.seconds = -1; }, "the end lies before the start"},
      {"most minutes", [](JournalEntry& e) { e.seconds = 60'000'000; }, ""},
      {"99,999,999 weeks", [](JournalEntry& e) { e.seconds = 99'999'999LL * 7 * 86400; },
       "the length, 1,007,999,989,920 minutes, is more than 1,000,000 minutes"},
      {"offset", [](JournalEntry& e) { e.utcOffset = 18 * 3600 + 1; }, "the UTC offset"},
      {"year 0000", [](JournalEntry& e) { e.start = utc(100, 1, 1).plus(-36525LL * 86400); },
       "the start, 0000-"},
      {"first second", [](JournalEntry& e) { e.start = utc(100, 1, 1, 1), e.utcOffset = -3600; },
       ""},
      {"before the first second",
       [](JournalEntry& e) { e.start = utc(100, 1, 1, 0, 59, 59), e.utcOffset = -3600; },
       "the start, 0099-12-31T23:59:59, lies outside"},
      {"ends on the last second",
       [](JournalEntry& e) { e.start = utc(9999, 12, 31, 22), e.utcOffset = 0, e.seconds = 7199; },
       ""},
      {"ends after it",
       [](JournalEntry& e) { e.start = utc(9999, 12, 31, 22), e.utcOffset = 0, e.seconds = 7200; },
       "the end, 10000-01-01T00:00:00, lies outside"},
  };
  for (const auto& c : cases) {
    JournalEntry e = sound();
    c.change(e);
    const std::string why = EntryRules::whyInvalid(e);
    if (*c.why == '\0')
      EXPECT_EQ(why, "") << c.what;
    else
      EXPECT_TRUE(test::has(why, c.why)) << c.what << ": " << why;
  }
}

TEST(EntryRules, ATaskNeedsASubjectThatIsNotAnEntryOfTheTaskList) {
  const struct {
    std::string subject, categories;
    const char* why;
  } cases[] = {
      {"Page layout", "Design", ""},
      {"Straße 🙂", "", ""},
      {"", "Design", "the subject must not be empty"},
      {"<Refresh>", "", "the name of an entry of the main window's task list"},
      {"<Edit tasks…>", "", "the name of an entry"},
      {"<refresh>", "", ""},
      {"Page\nlayout", "", "the subject must not hold a control character"},
      {"Page layout", "De\tsign", "the categories must not hold a control character"},
  };
  for (const auto& c : cases) {
    const std::string why = EntryRules::whyInvalidTask(c.subject, c.categories);
    if (*c.why == '\0')
      EXPECT_EQ(why, "") << c.subject;
    else
      EXPECT_TRUE(test::has(why, c.why)) << c.subject << ": " << why;
  }
}

}  // namespace
}  // namespace tw

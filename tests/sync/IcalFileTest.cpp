#include <gtest/gtest.h>

#include "SyncFixture.h"
#include "sync/EntryKind.h"
#include "sync/IcalFile.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

using test::SyncFixture;

// Files only: the stores of SyncFixture, the server left alone.
class IcalFileTest : public SyncFixture {
 protected:
  std::string file = folder.file("journal.ics");

  static int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
      ++n;
    return n;
  }
};

// Everything a journal holds goes through a file unchanged, as VEVENTs and as VJOURNALs, and
// importing the file again changes nothing.
TEST_F(IcalFileTest, AnExportedJournalImportsUnchangedAndImportingItAgainChangesNothing) {
  JournalStore& l = laptop->store;
  const char* subjects[] = {"Not started", "In progress", "Complete", "Waiting", "Deferred"};
  for (int s = 0; s < 5; ++s) task(l, subjects[s], static_cast<TaskStatus>(s), "A, B;C");
  JournalEntry e = entry(l, "Billing; Q3, \"final\"", DateTime::fromParts(2024, 3, 31, 1, 30, 17),
                         7203, l.tasks()[1].uid);
  e.companies = "ACME; Corp, Ltd";
  e.body = "two\nlines; with, commas \\ and a backslash";
  l.updateEntry(e);
  entry(l, "Stop Work", DateTime::fromParts(2024, 3, 31, 3, 31), 0, "", "TWEvent");
  entry(l, "Later", DateTime::fromParts(2024, 4, 2, 9), 60);

  EXPECT_EQ(IcalFile::write(l, laptop->state, file, {{}, {}, true, false}), 8);
  const std::string text = test::readBytes(file);
  EXPECT_EQ(count(text, "STATUS:NEEDS-ACTION"), 2);
  EXPECT_EQ(count(text, "STATUS:IN-PROCESS"), 2);
  EXPECT_EQ(count(text, "STATUS:COMPLETED"), 1);
  EXPECT_EQ(count(text, "PERCENT-COMPLETE:100"), 1);
  EXPECT_EQ(count(text, "\nCOMPLETED:"), 1);
  EXPECT_EQ(count(text, "X-TALLYWORKS-STATUS:"), 2);
  EXPECT_EQ(count(text, "TRANSP:TRANSPARENT"), 3);
  EXPECT_EQ(IcalFile::read(desktop->store, desktop->state, file).summary(),
            "added 8, updated 0, unchanged 0");
  EXPECT_EQ(contents(desktop->store), contents(l));
  clock.advance(3600);
  EXPECT_EQ(IcalFile::read(l, laptop->state, file).summary(), "added 0, updated 0, unchanged 8");
  EXPECT_EQ(l.entryByUid(e.uid)->modified, e.modified);

  const auto third = computer("third.db");
  IcalFile::write(l, laptop->state, file, {{}, {}, true, true});
  EXPECT_EQ(count(test::readBytes(file), "BEGIN:VJOURNAL"), 3);
  IcalFile::read(third->store, third->state, file);
  EXPECT_EQ(contents(third->store), contents(l));

  const DateTime april = DateTime::fromParts(2024, 4, 1);
  EXPECT_EQ(IcalFile::write(l, laptop->state, file, {april, {}, false, false}), 1);
  EXPECT_EQ(IcalFile::write(l, laptop->state, file, {{}, april.addDays(-1), false, false}), 2);
}

// Tasks of other programs: STATUS decides, X-TALLYWORKS-STATUS only while it agrees with it;
// CANCELLED, COMPLETED and a full PERCENT-COMPLETE mean complete. Other components are ignored
// and counted, items without what they need are counted as unreadable, and what other
// programs added to an item stays with it.
TEST_F(IcalFileTest, OtherProgramsItemsAreReadAndTheirAdditionsKept) {
  const struct {
    const char* properties;
    TaskStatus status;
  } kTasks[] = {
      {"", TaskStatus::NotStarted},
      {"STATUS:NEEDS-ACTION\r\nX-TALLYWORKS-STATUS:deferred", TaskStatus::Deferred},
      {"STATUS:IN-PROCESS", TaskStatus::InProgress},
      {"STATUS:IN-PROCESS\r\nX-TALLYWORKS-STATUS:waiting", TaskStatus::Waiting},
      {"STATUS:IN-PROCESS\r\nX-TALLYWORKS-STATUS:deferred", TaskStatus::InProgress},
      {"STATUS:NEEDS-ACTION\r\nX-TALLYWORKS-STATUS:waiting", TaskStatus::NotStarted},
      {"STATUS:COMPLETED\r\nX-TALLYWORKS-STATUS:waiting", TaskStatus::Complete},
      {"STATUS:CANCELLED", TaskStatus::Complete},
      {"PERCENT-COMPLETE:100", TaskStatus::Complete},
      {"COMPLETED:20240601T100000Z", TaskStatus::Complete},
  };
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n";
  for (std::size_t i = 0; i < std::size(kTasks); ++i)
    text += "BEGIN:VTODO\r\nUID:t" + std::to_string(i) + "\r\nSUMMARY:Task\r\n" +
            kTasks[i].properties + (*kTasks[i].properties ? "\r\n" : "") + "END:VTODO\r\n";
  text +=
      "BEGIN:VEVENT\r\nUID:e1\r\nSUMMARY:Call\r\nDTSTART:20240603T070000Z\r\nDURATION:PT45M\r\n"
      "X-OTHER-PROGRAM:a\\,b\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\n"
      "DESCRIPTION:Soon\r\nEND:VALARM\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:no-start\r\nSUMMARY:x\r\nEND:VEVENT\r\n"
      "BEGIN:VFREEBUSY\r\nUID:f\r\nEND:VFREEBUSY\r\nEND:VCALENDAR\r\n";
  test::writeBytes(file, text);
  JournalStore& l = laptop->store;
  EXPECT_EQ(IcalFile::read(l, laptop->state, file).summary(),
            "added 11, updated 0, unchanged 0, 1 other components ignored, 1 unreadable skipped");
  for (std::size_t i = 0; i < std::size(kTasks); ++i)
    EXPECT_EQ(l.taskByUid("t" + std::to_string(i))->status, kTasks[i].status)
        << kTasks[i].properties;
  EXPECT_EQ(l.entryByUid("e1")->seconds, 2700);
  IcalFile::write(l, laptop->state, file, {});
  const std::string exported = test::readBytes(file);
  EXPECT_EQ(count(exported, "X-OTHER-PROGRAM:a\\,b"), 1) << exported;
  EXPECT_EQ(count(exported, "BEGIN:VALARM"), 1);
  test::writeBytes(file, "no calendar");
  EXPECT_THROW(IcalFile::read(l, laptop->state, file), SyncError);
}

// What a hostile file holds is bounded before libical reads it: a property longer than the
// bound or components nested without end refuse the file; a time zone whose rules repeat every
// second is not expanded (the items naming it are unreadable), while the rest is imported.
TEST_F(IcalFileTest, HostileFilesAreBoundedBeforeLibicalReadsThem) {
  const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n";
  const std::string event =
      "BEGIN:VEVENT\r\nUID:fine\r\nDTSTART:20240603T070000Z\r\nDURATION:PT1H\r\n"
      "SUMMARY:Fine\r\nEND:VEVENT\r\n";
  std::string deep;
  for (int i = 0; i < 20; ++i) deep += "BEGIN:X-DEEP\r\n";
  for (int i = 0; i < 20; ++i) deep += "END:X-DEEP\r\n";
  const struct {
    const char* name;
    std::string text;
    const char* message;
  } kRefused[] = {
      {"a long property",
       head + "BEGIN:VEVENT\r\nUID:x\r\nDESCRIPTION:" + std::string(600000, 'a') + "\r\n " +
           std::string(600000, 'b') + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
       "holds a property longer than 1 MB"},
      {"deep nesting", head + deep + "END:VCALENDAR\r\n", "nest deeper than 12 levels"},
      {"no end", head + event, "does not end"},
  };
  JournalStore& l = laptop->store;
  for (const auto& c : kRefused) {
    test::writeBytes(file, c.text);
    EXPECT_TRUE(
        test::failsWith<SyncError>([&] { IcalFile::read(l, laptop->state, file); }, c.message))
        << c.name;
  }
  EXPECT_TRUE(contents(l).empty());

  // A zone whose standard time begins by the rule given.
  const auto busy = [](const std::string& rule) {
    return "BEGIN:VTIMEZONE\r\nTZID:Busy\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
           "TZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nRRULE:" +
           rule + "\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
  };
  test::writeBytes(file, head + busy("FREQ=SECONDLY") +
                             "BEGIN:VEVENT\r\nUID:busy\r\nDTSTART;TZID=Busy:20240603T090000\r\n"
                             "DURATION:PT1H\r\nSUMMARY:Busy\r\nEND:VEVENT\r\n" +
                             event + "END:VCALENDAR\r\n");
  EXPECT_EQ(IcalFile::read(l, laptop->state, file).summary(),
            "added 1, updated 0, unchanged 0, 1 unreadable skipped, 1 unusable time zones ignored");
  for (const char* rule : {"FREQ=SECONDLY",
                           "FREQ=YEARLY;BYMONTH=1,2,3,4,5,6,7,8,9,10,11,12;"
                           "BYMONTHDAY=1,2,3,4,5,6,7,8,9,10"}) {
    const std::string object = head + busy(rule) + event + "END:VCALENDAR\r\n";
    EXPECT_THROW(EntryKind().parse(object), SyncError) << rule;
  }
}

}  // namespace
}  // namespace tw

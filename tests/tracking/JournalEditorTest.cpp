#include <gtest/gtest.h>

#include "SessionFixture.h"
#include "core/DateTimeError.h"
#include "tests/support/ScopedTimeZone.h"
#include "tracking/JournalEditor.h"
#include "tracking/TrackingError.h"

namespace tw {
namespace {

class JournalEditorTest : public test::SessionFixture {
 protected:
  JournalEditor editor{store, EntryTypeRule("")};
  DateTime at(int hour, int minute = 0) const {
    return monday9().date().addSeconds(hour * 3600 + minute * 60);
  }
};

TEST_F(JournalEditorTest, AddSplitChangeAndRemove) {
  const JournalEntry forgot = editor.add("billing", at(9), at(10, 30));
  EXPECT_EQ(forgot.subject, "Billing");
  EXPECT_EQ(forgot.categories, "Admin");
  EXPECT_EQ(forgot.seconds, 90 * 60);
  EXPECT_EQ(forgot.taskUid, store.tasks()[1].uid);
  const JournalEntry after = editor.split(forgot.id, at(10));
  EXPECT_EQ(store.entry(forgot.id)->seconds, 60 * 60);
  EXPECT_EQ(after.seconds, 30 * 60);
  EXPECT_EQ(after.localStart(), at(10));
  EXPECT_NE(after.uid, forgot.uid);
  JournalEntry moved = JournalEditor::placed(*store.entry(after.id), at(11));
  moved.body = "after lunch";
  editor.change(moved);
  EXPECT_EQ(store.entry(after.id)->localStart(), at(11));
  const JournalEntry removed = *store.entry(forgot.id);
  editor.remove(forgot.id);
  EXPECT_EQ(journal().size(), 1u);
  EXPECT_EQ(editor.restore(removed).uid, forgot.uid);
  editor.remove(store.entryByUid(forgot.uid)->id);
  EXPECT_EQ(editor.addMarker(false, at(9), clock.now()).subject, "Stop Work");
}

// Bad input changes nothing and says what is wrong; what an entry may hold is EntryRules',
// asked here with one case (EntryRulesTest has them all).
TEST_F(JournalEditorTest, BadInputIsRefused) {
  const JournalEntry e = editor.add("Page layout", at(9), at(10));
  session->start("Billing");
  clock.advance(600);
  session->saveNow();
  JournalEntry noSubject = e;
  noSubject.subject = "";
  const std::function<void()> bad[] = {
      [&] { editor.add("No such task", at(9), at(10)); },
      [&] { editor.add("Page layout", at(10), at(9)); },
      [&] { editor.split(e.id, at(9)); },
      [&] { editor.split(e.id, at(11)); },
      [&] { editor.change(noSubject); },
      [&] { editor.split(session->held()->id, session->held()->localStart().addMinutes(5)); },
      [&] { editor.addMarker(true, at(10), clock.now()); },
      [&] { editor.remove(session->held()->id); },
  };
  for (const auto& f : bad) EXPECT_THROW(f(), TrackingError);
  EXPECT_EQ(journal().size(), 3u);  // with the timing's marker and entry
  EXPECT_EQ(journal()[0].seconds, 3600);
}

// A "Start Work" placed where one opens the period already (no "Stop Work" between) is offered
// as a move of that one: Monday holds Start 8:00, Stop 12:00, Start 13:00.
TEST_F(JournalEditorTest, FindsTheStartWorkANewOneWouldRepeat) {
  for (const auto& [subject, hour] :
       {std::pair{"Start Work", 8}, {"Stop Work", 12}, {"Start Work", 13}})
    addEntry(subject, at(hour), 0, "TWEvent");
  const std::pair<DateTime, int> cases[] = {
      {at(7), 8}, {at(9), 8}, {at(12, 30), 13}, {at(14), 13}, {at(9).addDays(1), -1}};
  for (const auto& [moment, hour] : cases) {
    const std::optional<JournalEntry> found = editor.startWorkToMove(moment);
    EXPECT_EQ(found ? found->localStart().hour() : -1, hour) << DateText::iso(moment);
  }
}

// A time typed for an entry that starts Monday 9:00: a time alone is on that day, an end
// before the start on the next; a date given stands.
TEST_F(JournalEditorTest, ATypedTimeIsOnTheEntrysDay) {
  JournalEntry entry;
  entry.start = TimeZone::fromLocal(at(9));
  entry.utcOffset = TimeZone::offsetAt(entry.start);
  const struct {
    const char* text;
    bool end;
    const char* local;  // ISO, or empty when refused
  } cases[] = {
      {"22:05", false, "2024-03-11T22:05:00"},
      {"10:05 PM", true, "2024-03-11T22:05:00"},
      {" 9:15:30 am ", false, "2024-03-11T09:15:30"},
      {"8:30", false, "2024-03-11T08:30:00"},
      {"8:30", true, "2024-03-12T08:30:00"},
      {"9:00", true, "2024-03-11T09:00:00"},
      {"3/13/2024 7:00", true, "2024-03-13T07:00:00"},
      {"24:00", true, ""},
      {"13:00 PM", false, ""},
      {"soon", false, ""},
      {"", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (*c.local == '\0') {
      EXPECT_THROW(JournalEditor::typedTime(entry, c.text, c.end), DateTimeError);
      continue;
    }
    EXPECT_EQ(DateText::iso(JournalEditor::typedTime(entry, c.text, c.end)), c.local);
  }
  // A start placed where the clocks skip is refused, not moved.
  const test::ScopedTimeZone berlin("Europe/Berlin");
  EXPECT_THROW(JournalEditor::placed(entry, DateTime::fromParts(2024, 3, 31, 2, 30)),
               DateTimeError);
}

}  // namespace
}  // namespace tw

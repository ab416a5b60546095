#include <QDateTimeEdit>

#include "WindowFixture.h"
#include "gui/common/QtDates.h"
#include "gui/main/StopChoiceDialog.h"

namespace tw::test {
namespace {

using Choice = StopChoiceDialog::Choice;

class UnfinishedWorkPromptTest : public WindowFixture {
 protected:
  // Each dialog is answered with the next choice, the time chosen set to 'chosen'.
  void answer(const std::vector<Choice>& choices, DateTime chosen) {
    desktop.onDialog = [this, choices, chosen](QDialog& dialog) {
      dialog.findChild<QDateTimeEdit*>("stopTime")->setDateTime(QtDates::toQt(chosen));
      const Choice choice = choices.at(asked++);
      dialog.findChild<QPushButton*>(StopChoiceDialog::buttonName(choice))->click();
      return dialog.result();
    };
  }
  std::size_t asked = 0;
};

// A window process that died while timing Alpha from 8:00, last saved at 8:30; it is 9:00.
TEST_F(UnfinishedWorkPromptTest, ATimerLeftByALostProcessIsResumedOrStopped) {
  const struct {
    Choice choice;
    bool tracking;
    std::int64_t minutes;
  } cases[] = {{Choice::kResume, true, 60},
               {Choice::kStopAtSave, false, 30},
               {Choice::kStopAtChosen, false, 45},
               {Choice::kLater, false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.choice));
    std::vector<std::int64_t> ids;
    store.visitAll([&](const JournalEntry& e) { return ids.push_back(e.id), true; });
    for (const std::int64_t id : ids) store.deleteEntry(id);
    if (store.tasks().empty()) addTask("Alpha");
    addMarker("Start Work", at(11, 8));
    const JournalEntry entry = addEntry("Alpha", at(11, 8));
    RunningTimer lost;
    lost.entryId = entry.id;
    lost.started = entry.start;
    lost.savedAt = entry.start.plus(30 * 60);
    lost.ownerPid = ProcessIdentity::self().pid;
    lost.ownerStart = 1;
    store.setTimer(lost);
    asked = 0;
    answer({c.choice}, at(11, 8, 45));
    load();
    EXPECT_EQ(asked, 1u);
    EXPECT_EQ(session.tracking(), c.tracking);
    window->saveRunningEntry();
    EXPECT_EQ(store.entry(entry.id)->minutes(), c.minutes);
    const bool stopped = c.choice == Choice::kStopAtSave || c.choice == Choice::kStopAtChosen;
    EXPECT_EQ(subjects().size(), stopped ? 3u : 2u);
    if (c.tracking) click("pauseButton");
  }
}

TEST_F(UnfinishedWorkPromptTest, ADayLeftOpenIsClosed) {
  addTask("Alpha");
  addMarker("Start Work", at(8, 8, 59));
  addEntry("Alpha", at(8, 9), "", 90);
  answer({Choice::kStopAtSave}, at(11, 9));
  load();
  const std::optional<JournalEntry> stop = store.lastMarker();
  EXPECT_EQ(stop->subject, "Stop Work");
  EXPECT_EQ(stop->localStart(), at(8, 10, 30));
}

// Asked once an entry has been timed four hours, or since an earlier day; the title shows the
// task's time and today's total while timing.
TEST_F(UnfinishedWorkPromptTest, AForgottenTimerIsKeptOrStoppedAtTheTimeChosen) {
  addTask("Alpha");
  addEntry("Beta", at(11, 8), "", 30);
  load();
  answer({Choice::kKeep, Choice::kStopAtChosen}, at(12, 3));
  choose("Alpha");
  click("startButton");
  window->onTick();
  EXPECT_EQ(window->windowTitle(), "Alpha 0m · today 30m — Tallyworks");
  for (const std::int64_t hours : {4, 12}) {  // kept at 13:00, not asked again at 1:00
    clock.advance(hours * 3600 + 1);
    window->onTick();
  }
  EXPECT_EQ(asked, 1u);
  click("pauseButton");
  click("startButton");
  clock.advance(4 * 3600 + 1);
  window->onTick();
  EXPECT_EQ(asked, 2u);
  expectButtonsFor(false);
  EXPECT_EQ(subjects(),
            (std::vector<std::string>{"Beta", "Start Work", "Alpha", "Alpha", "Stop Work"}));
  EXPECT_EQ(store.lastMarker()->localStart(), at(12, 3));
  window->onTick();
  EXPECT_TRUE(window->windowTitle().startsWith("Tallyworks v"));
}

}  // namespace
}  // namespace tw::test

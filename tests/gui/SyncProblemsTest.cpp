// The status bar's synchronisation problems and their dialog, headless.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "gui/sync/SyncProblemsButton.h"
#include "store/sqlite/SqliteSyncState.h"
#include "sync/EntryKind.h"

namespace tw::test {
namespace {

// A change the server refused and an address the last run skipped are counted and listed;
// Retry lets the change go with the next synchronisation, Drop keeps the entry here only.
TEST(SyncProblemsTest, RefusedChangesAreListedRetriedAndDropped) {
  TempFolder folder;
  SqliteJournalStore store(folder.file("store.db"));
  ManualClock clock(Instant::fromUnix(1'717'000'000));
  const JournalEntry e =
      store.addEntry(localEntry("Refused", DateTime::fromParts(2024, 6, 3, 9), 60));
  SqliteSyncState(store).putHold({SyncState::Kind::Entry, e.uid, false,
                                  ItemKind::digest(EntryKind::fieldsOf(e)), 403,
                                  "valid-calendar-data: DTEND must occur after DTSTART", 0});
  SyncQueue queue(store, std::make_unique<SqliteSyncState>(store), clock);
  FakeDesktop desktop;
  SyncProblemsButton button(queue, desktop, desktop);
  EXPECT_EQ(button.text(), "1 sync problem…");
  button.showProblems({{"/alice/personal/x.ics", 0, "not in that collection"},
                       {"journal entry “Refused”", 403, "already held"}});
  EXPECT_EQ(button.text(), "2 sync problems…");
  int changes = 0;
  QObject::connect(&button, &SyncProblemsButton::changed, [&] { ++changes; });
  const auto rows = [](QDialog& dialog) {
    QStringList out;
    auto* tree = dialog.findChild<QTreeWidget*>("problems");
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      out << tree->topLevelItem(i)->text(1) + " | " + tree->topLevelItem(i)->text(2);
    return out;
  };
  desktop.onDialog = [&](QDialog& dialog) {
    EXPECT_EQ(rows(dialog),
              QStringList({"journal entry “Refused” of 6/3/2024 9:00:00 AM | Refused (HTTP "
                           "403): valid-calendar-data: DTEND must occur after DTSTART",
                           "/alice/personal/x.ics | Skipped: not in that collection"}))
        << rows(dialog).join("\n").toStdString();
    EXPECT_FALSE(dialog.findChild<QPushButton*>("retryButton")->autoDefault());
    dialog.findChild<QPushButton*>("dropButton")->click();
    EXPECT_TRUE(rows(dialog).front().endsWith("Kept here only: you dropped its creation"));
    dialog.findChild<QPushButton*>("retryButton")->click();
    EXPECT_EQ(rows(dialog).size(), 1);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("retryButton")->isEnabled());
    return static_cast<int>(QDialog::Rejected);
  };
  button.click();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(button.text(), "1 sync problem…");
  EXPECT_TRUE(queue.list().at(0).verb == PendingChanges::Verb::Create);
  EXPECT_FALSE(queue.list().at(0).held);
  EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join("\n").toStdString();
}

}  // namespace
}  // namespace tw::test

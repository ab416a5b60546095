#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/ManualClock.h"
#include "core/TimeZone.h"
#include "gui/common/DialogRunner.h"
#include "gui/common/ReportPrinter.h"
#include "gui/common/SaveDialog.h"
#include "gui/main/MainWindow.h"
#include "store/sqlite/SqliteJournalStore.h"
#include "store/sqlite/SqliteStoreOpener.h"
#include "tests/support/Entries.h"
#include "tests/support/TempFolder.h"
#include "tracking/JournalEditor.h"

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tw::test {

// The desktop as tests see it: messages (as "<title> <icon -, W or C>: <text>") and prints
// recorded, save dialogs answered from a script ("" cancels), modal dialogs handed to onDialog
// instead of running a loop of their own.
class FakeDesktop : public MessageBoxes,
                    public SaveDialog,
                    public ReportPrinter,
                    public DialogRunner {
 public:
  using MessageBoxes::show;
  void show(const QString& text, const QString& title, Icon icon) override {
    messages << title + " " + QChar("-WC"[static_cast<int>(icon)]) + ": " + text;
    if (onMessage) onMessage();
  }
  // Recorded as "<title> ?: <text>"; answered from replies, else No.
  bool ask(const QString& text, const QString& title) override {
    messages << title + " ?: " + text;
    return !replies.empty() && replies.takeFirst();
  }
  QString getSaveFileName(QWidget*, const QString& filter, const QString&,
                          const QString& fileName) override {
    offered.push_back(filter + " " + fileName);
    return answers.empty() ? QString() : answers.takeFirst();
  }
  void print(const QString& text) override { record(printed, text); }
  void printImage(const QImage& image) override { record(printedImages, image); }
  // Recorded as "<title>: <html>".
  void printDocument(const QString& title, const QString& html) override {
    record(printed, title + ": " + html);
  }
  int exec(QDialog& dialog) override { return onDialog ? onDialog(dialog) : 0; }

  std::function<void()> onMessage;
  QStringList messages, answers, offered, printed;
  QList<bool> replies;
  QList<QImage> printedImages;
  std::string printFailure;
  std::function<int(QDialog&)> onDialog;

 private:
  // What was printed, or the failure the test asked for.
  template <typename Printed>
  void record(QList<Printed>& list, const std::type_identity_t<Printed>& item) {
    if (!printFailure.empty()) throw std::runtime_error(printFailure);
    list.push_back(item);
  }
};

// Opens SQLite stores and records how each was opened (on whichever thread).
class RecordingOpener : public StoreOpener {
 public:
  std::unique_ptr<JournalStore> open(const std::string& path, Access access) const override {
    accesses.push_back(access);
    return SqliteStoreOpener().open(path, access);
  }
  std::unique_ptr<BillingStore> billing(JournalStore& store) const override {
    return SqliteStoreOpener().billing(store);
  }
  mutable std::vector<Access> accesses;
};

// A main window on an SQLite store of its own in a temporary folder, with a hand-driven clock
// and the fake desktop. The tick timer is held still: tests tick by calling onTick().
class WindowFixture : public ::testing::Test {
 protected:
  static DateTime at(int day, int hour, int minute = 0) {
    return DateTime::fromParts(2024, 3, day, hour, minute);
  }

  void load() {
    owned = std::make_unique<MainWindow>(services, opener, path);
    window = owned.get();
    child<QTimer>("tickTimer")->stop();
    window->load(session, store, editor);
  }

  Task addTask(const std::string& subject, const std::string& categories = "",
               TaskStatus status = TaskStatus::NotStarted) {
    return store.addTask(Task{0, "", subject, categories, status, 0});
  }
  JournalEntry addEntry(const std::string& subject, DateTime localStart,
                        const std::string& categories = "", std::int64_t minutes = 0) {
    JournalEntry e = localEntry(subject, localStart, minutes * 60);
    e.categories = categories;
    return store.addEntry(e);
  }
  // A "Start Work" or "Stop Work" marker.
  JournalEntry addMarker(const std::string& subject, DateTime localStart) {
    JournalEntry e = localEntry(subject, localStart, 0, "TWEvent");
    e.categories = subject == "Start Work" ? "Tallyworks Start" : "Tallyworks Stop";
    return store.addEntry(e);
  }
  std::vector<std::string> subjects() {
    std::vector<std::string> all;
    store.visitAll([&](const JournalEntry& e) { return all.push_back(e.subject), true; });
    return all;
  }
  // Every later call on the store fails: its files are gone.
  void removeStoreFiles() const {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  }

  template <typename Widget>
  Widget* child(const char* name) const {
    Widget* found = window->findChild<Widget*>(QString::fromLatin1(name));
    if (!found) throw std::logic_error(std::string("no child ") + name);
    return found;
  }
  void click(const char* button) const { child<QPushButton>(button)->click(); }
  // Chooses a list entry as the user does.
  void choose(const QString& text) const {
    auto* list = child<QComboBox>("taskList");
    list->setCurrentIndex(list->findText(text));
    emit list->activated(list->currentIndex());
  }
  QString current() const { return child<QComboBox>("taskList")->currentText(); }
  QString listed() const {
    auto* list = child<QComboBox>("taskList");
    QStringList all;
    for (int i = 0; i < list->count(); ++i) all << list->itemText(i);
    return all.join('|');
  }
  QString status() const {
    return child<QLabel>("timePanel")->text() + "|" + child<QLabel>("detailPanel")->text();
  }
  // Start and Last usable only while stopped, Pause only while tracking, Stop while the period
  // of work is open.
  void expectButtonsFor(bool tracking, bool workOpen = false) const {
    EXPECT_EQ(child<QPushButton>("startButton")->isEnabled(), !tracking);
    EXPECT_EQ(child<QPushButton>("lastButton")->isEnabled(), !tracking);
    EXPECT_EQ(child<QPushButton>("stopButton")->isEnabled(), tracking || workOpen);
    EXPECT_EQ(child<QPushButton>("pauseButton")->isEnabled(), tracking);
  }
  // Exactly these messages were shown, as far as given; they are forgotten then.
  void expectShown(const QStringList& starts) {
    const QStringList got = std::exchange(desktop.messages, {});
    ASSERT_EQ(got.size(), starts.size()) << got.join('\n').toStdString();
    for (qsizetype i = 0; i < got.size(); ++i)
      EXPECT_TRUE(got[i].startsWith(starts[i])) << got[i].toStdString();
  }

  TempFolder folder;
  std::string path = folder.file("store.db");
  ManualClock clock{at(11, 9)};
  SqliteJournalStore store{path};
  TrackingSession session{store, clock, ProcessIdentity::self(),
                          EntryTypeRule(folder.file("tallyworks.ini"))};
  JournalEditor editor{store, EntryTypeRule(folder.file("tallyworks.ini"))};
  RecordingOpener opener;
  FakeDesktop desktop;
  WindowServices services{desktop, desktop, desktop, desktop, clock};
  std::unique_ptr<MainWindow> owned;
  MainWindow* window = nullptr;
};

}  // namespace tw::test

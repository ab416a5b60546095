#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/DateTime.h"
#include "model/ManualClock.h"
#include "store/Attachments.h"
#include "tests/store/StoreHelpers.h"
#include "tests/support/FakeWindowServices.h"
#include "tracking/frmMain.h"

namespace tw::testing {

using Icon = MessageBoxes::Icon;

// A main window on a store of its own in a temporary folder, with a hand-driven clock, the
// recording seams and Timer1 held still (tests tick it by calling Timer1_Timer).
class MainWindowFixture : public ::testing::Test {
 protected:
  static DateTime monday9() { return DateTime::fromParts(2024, 3, 11, 9, 0, 0); }

  MainWindowFixture() : clock(monday9()) {
    storePath = (dir.path() + "/journal.db").toStdString();
    Application::setDefaultStorePath(storePath);
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
  }
  ~MainWindowFixture() override { Application::setDefaultStorePath(""); }

  // Creates the window and loads it as the program does.
  frmMain& load() {
    window = std::make_unique<frmMain>(fake.services);
    window->Timer1->stop();
    window->Form_Load();
    return *window;
  }

  // Chooses the task, loading the window first if need be, and presses Start.
  frmMain& startOn(const QString& task) {
    if (!window) load();
    choose(task);
    window->btnStart_Click();
    return *window;
  }

  Items folder(int which) const {
    Application app(storePath);
    return app.GetNamespace("MAPI").GetDefaultFolder(which).Items();
  }

  std::shared_ptr<TaskItem> addTask(const std::string& subject, const std::string& categories = "",
                                    int status = olTaskNotStarted) {
    Items tasks = folder(olFolderTasks);
    return test::saveTask(tasks, subject, status, categories);
  }

  std::shared_ptr<JournalItem> addJournal(const std::string& subject, const std::string& type,
                                          DateTime start, const std::string& categories = "") {
    Items items = folder(olFolderJournal);
    return test::saveEntry(items, subject, start, type, categories);
  }

  // The journal as the store holds it, in the order the items were written.
  std::vector<std::shared_ptr<JournalItem>> journal() const {
    std::vector<std::shared_ptr<JournalItem>> items;
    folder(olFolderJournal).forEach([&](const auto& item) {
      items.push_back(asJournalItem(item));
      return true;
    });
    return items;
  }

  static void expectItem(const std::shared_ptr<JournalItem>& item, const std::string& subject,
                         const std::string& categories, const std::string& type, DateTime start) {
    EXPECT_EQ(item->Subject(), subject);
    EXPECT_EQ(item->Categories(), categories) << subject;
    EXPECT_EQ(item->Type(), type) << subject;
    EXPECT_EQ(item->Start(), start) << subject;
  }

  std::vector<std::string> subjects() const {
    std::vector<std::string> s;
    for (const auto& item : journal()) s.push_back(item->Subject());
    return s;
  }

  std::shared_ptr<JournalItem> stored(std::int64_t id) const {
    return asJournalItem(folder(olFolderJournal).find(id));
  }

  // Makes the store stop answering: the database file, opened or not, is overwritten in place
  // with bytes that are no database.
  void breakStore() const {
    for (const char* suffix : {"", "-wal", "-shm"}) {
      const std::string path = storePath + suffix;
      if (!std::ifstream(path).good()) continue;
      std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(8192, 'x');
    }
  }

  void choose(const QString& task) {
    window->lstTasks->setCurrentIndex(window->lstTasks->findText(task));
    window->lstTasks_Click();
  }

  void dropText(const QString& text) {
    QMimeData data;
    data.setText(text);
    window->lstTasks_OLEDragDrop(&data);
  }

  QStringList listed() const {
    QStringList entries;
    for (int i = 0; i < window->lstTasks->count(); ++i) entries << window->lstTasks->itemText(i);
    return entries;
  }

  QString panel1() const { return window->statusPanel1->text(); }
  QString panel2() const { return window->statusPanel2->text(); }

  // Start and Last are usable only while stopped, Stop and Pause only while tracking.
  void expectButtonsFor(bool tracking) const {
    EXPECT_EQ(window->btnStart->isEnabled(), !tracking);
    EXPECT_EQ(window->btnLast->isEnabled(), !tracking);
    EXPECT_EQ(window->btnStop->isEnabled(), tracking);
    EXPECT_EQ(window->btnPause->isEnabled(), tracking);
  }

  // Exactly one message was shown; its text starts with the given text.
  void expectMessage(const QString& text, Icon icon, const QString& title = "Tallyworks") const {
    const auto& shown = fake.messages.messages;
    ASSERT_EQ(shown.size(), 1u) << text.toStdString();
    EXPECT_TRUE(shown[0].text.startsWith(text)) << shown[0].text.toStdString();
    EXPECT_EQ(shown[0].icon, icon) << text.toStdString();
    EXPECT_EQ(shown[0].title, title) << text.toStdString();
  }

  QTemporaryDir dir;
  std::string storePath;
  ManualClock clock;
  FakeWindowServices fake;
  std::unique_ptr<frmMain> window;
};

}  // namespace tw::testing

#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/DateTime.h"
#include "model/ManualClock.h"
#include "store/Application.h"
#include "store/Attachments.h"
#include "store/Items.h"
#include "store/JournalItem.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/TaskItem.h"
#include "tests/support/FakeWindowServices.h"
#include "tracking/frmMain.h"

namespace tw::testing {

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

  std::shared_ptr<TaskItem> addTask(const std::string& subject, const std::string& categories = "",
                                    int status = olTaskNotStarted) {
    Application app(storePath);
    NameSpace mapi = app.GetNamespace("MAPI");
    auto task = asTaskItem(mapi.GetDefaultFolder(olFolderTasks).Items().Add(olTaskItem));
    task->setSubject(subject);
    task->setCategories(categories);
    task->setStatus(status);
    task->Save();
    return task;
  }

  std::shared_ptr<JournalItem> addJournal(const std::string& subject, const std::string& type,
                                          DateTime start, const std::string& categories = "") {
    Application app(storePath);
    NameSpace mapi = app.GetNamespace("MAPI");
    auto item = asJournalItem(mapi.GetDefaultFolder(olFolderJournal).Items().Add(olJournalItem));
    item->setSubject(subject);
    item->setType(type);
    item->setStart(start);
    item->setCategories(categories);
    item->Save();
    return item;
  }

  // The journal as the store holds it, in the order the items were written.
  std::vector<std::shared_ptr<JournalItem>> journal() const {
    Application app(storePath);
    NameSpace mapi = app.GetNamespace("MAPI");
    std::vector<std::shared_ptr<JournalItem>> items;
    mapi.GetDefaultFolder(olFolderJournal).Items().forEach([&](const auto& item) {
      items.push_back(asJournalItem(item));
      return true;
    });
    return items;
  }

  std::shared_ptr<JournalItem> stored(std::int64_t id) const {
    for (const auto& item : journal()) {
      if (item->id() == id) return item;
    }
    return nullptr;
  }

  // Makes the store stop answering: the database file, opened or not, is overwritten in place
  // with bytes that are no database.
  void breakStore() const {
    for (const char* suffix : {"", "-wal", "-shm"}) {
      const std::string path = storePath + suffix;
      if (!std::ifstream(path).good()) continue;
      std::ofstream file(path, std::ios::binary | std::ios::trunc);
      file << std::string(8192, 'x');
    }
  }

  void choose(const QString& task) {
    window->lstTasks->setCurrentIndex(window->lstTasks->findText(task));
    window->lstTasks_Click();
  }

  QStringList listed() const {
    QStringList entries;
    for (int i = 0; i < window->lstTasks->count(); ++i) entries << window->lstTasks->itemText(i);
    return entries;
  }

  QString panel1() const { return window->statusPanel1->text(); }
  QString panel2() const { return window->statusPanel2->text(); }

  std::vector<QString> messageTexts() const {
    std::vector<QString> texts;
    for (const auto& m : fake.messages.messages) texts.push_back(m.text);
    return texts;
  }

  QTemporaryDir dir;
  std::string storePath;
  ManualClock clock;
  FakeWindowServices fake;
  std::unique_ptr<frmMain> window;
};

}  // namespace tw::testing

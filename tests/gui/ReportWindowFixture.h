#pragma once

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <memory>
#include <string>

#include "model/JournalEntry.h"
#include "model/ManualClock.h"
#include "reporting/frmDate.h"
#include "reporting/frmViewer.h"
#include "store/Application.h"
#include "store/JournalBatch.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "tests/support/FakeWindowServices.h"
#include "tracking/frmMain.h"

namespace tw::testing {

// A loaded main window on a journal of its own, with the recording seams: date pickers and
// viewers shown through the scripted dialog runner are answered by the test.
class ReportWindowFixture : public ::testing::Test {
 protected:
  ReportWindowFixture() : clock(DateTime::fromParts(2024, 3, 15, 12, 0)) {
    storePath = dir.filePath("journal.db").toStdString();
    Application::setDefaultStorePath(storePath);
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    window = std::make_unique<frmMain>(fake.services);
    window->Timer1->stop();
    window->Form_Load();
    window->Timer1->stop();
    QObject::connect(window->StatusBar, &QStatusBar::messageChanged,
                     [this](const QString& m) { statusMessages << m; });
    fake.dialogs.onExec = [this](QDialog& d) { return answer(d); };
  }
  ~ReportWindowFixture() override {
    window.reset();
    Application::setDefaultStorePath("");
  }

  void addEntries(const std::vector<JournalEntry>& entries) {
    Application outlook(storePath);
    JournalBatch batch(outlook.GetNamespace("MAPI").GetDefaultFolder(olFolderJournal));
    for (const JournalEntry& e : entries) batch.add(e);
    batch.commit();
  }
  static JournalEntry entry(DateTime start, int minutes, const std::string& category,
                            const std::string& subject = "Work") {
    JournalEntry e;
    e.start = start;
    e.duration = minutes;
    e.Category = category;
    e.subject = subject;
    e.entrytype = "Task";
    return e;
  }

  // Makes the store unreadable: the file is overwritten with bytes that are no database.
  void breakStore() const {
    for (const char* suffix : {"", "-wal", "-shm"}) {
      const std::string path = storePath + suffix;
      if (!std::ifstream(path).good()) continue;
      std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(8192, 'x');
    }
  }

  // Picks a date with the button as the user does: the next picker is double-clicked on day,
  // or closed without a choice when day is invalid.
  void pick(QPushButton* button, QDate day) {
    nextDay = day;
    button->click();
  }

  bool reportControlsEnabled() const {
    return window->btnReport->isEnabled() && window->txtCategory->isEnabled() &&
           window->btnDateStart->isEnabled() && window->btnDateEnd->isEnabled() &&
           window->btnCSV->isEnabled();
  }

  int answer(QDialog& d) {
    if (auto* picker = dynamic_cast<frmDate*>(&d)) {
      if (nextDay.isValid()) emit picker->MonthView1->activated(nextDay);
      return picker->result();
    }
    if (auto* viewer = dynamic_cast<frmViewer*>(&d)) {
      viewerTexts << viewer->text();
      if (onViewer) onViewer(*viewer);
    }
    return 0;
  }

  QTemporaryDir dir;
  std::string storePath;
  ManualClock clock;
  FakeWindowServices fake;
  std::unique_ptr<frmMain> window;
  QDate nextDay;
  QStringList viewerTexts;
  std::function<void(frmViewer&)> onViewer;
  QStringList statusMessages;
};

}  // namespace tw::testing

#include <QAction>
#include <QBarSet>
#include <QChartView>
#include <QMenu>
#include <QPieSeries>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QSystemTrayIcon>

#include "WindowFixture.h"
#include "gui/desktop/AutostartEntry.h"
#include "gui/desktop/CloseToTray.h"
#include "gui/desktop/TrayIcon.h"
#include "gui/summary/SummaryView.h"
#include "tests/support/TextEdits.h"

namespace tw::test {
namespace {

class DesktopTest : public WindowFixture {
 protected:
  DesktopTest() {
    addTask("Alpha", "Design");
    addTask("Beta", "Admin");
    session.reloadTasks();
  }
  ~DesktopTest() override { qunsetenv("XDG_CONFIG_HOME"); }

  QMenu* menu() const { return tray.findChild<QSystemTrayIcon*>()->contextMenu(); }
  QAction* action(const QString& name) const {
    for (QAction* a : menu()->actions())
      if (a->objectName() == name || a->text() == name) return a;
    throw std::logic_error("no action " + name.toStdString());
  }
  QString tip() const {
    return tray.findChild<QSystemTrayIcon*>()->toolTip().split('\n').join('|');
  }
  QString recent() const {
    QStringList names;
    for (QAction* a : menu()->actions())
      if (a->objectName() == "trayRecent") names << a->text() + (a->isChecked() ? "*" : "");
    return names.join('|');
  }

  // Set before the tray reads whether the autostart entry exists.
  bool configHome = qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.file("config")));
  TrayIcon tray{&session, &store, clock, desktop, [] { return QStringLiteral("Alpha"); }};
};

TEST_F(DesktopTest, TrayTracksAndTellsTheRunningTaskAndTheDaysTotal) {
  addEntry("Alpha", at(10, 9), "Design", 60);
  addEntry("Beta", at(11, 8), "Admin", 30);
  tray.refresh();
  EXPECT_EQ(recent(), "Beta|Alpha");
  EXPECT_EQ(tip(), "Tallyworks|Stopped|Today: 30 minutes");

  action("trayStart")->trigger();
  clock.advance(5 * 60);
  tray.refresh();
  EXPECT_EQ(tip(), "Tallyworks|Alpha: 5 minutes|Today: 35 minutes");
  EXPECT_EQ(recent(), "Alpha*|Beta");
  EXPECT_FALSE(action("trayStart")->isEnabled());

  action("Beta")->trigger();
  clock.advance(2 * 60);
  action("trayStop")->trigger();
  EXPECT_EQ(tip(), "Tallyworks|Stopped|Today: 37 minutes");
  EXPECT_EQ(subjects(), (std::vector<std::string>{"Alpha", "Beta", "Start Work", "Alpha", "Beta",
                                                  "Stop Work"}));
  action("trayLast")->trigger();
  EXPECT_EQ(session.status().subject, "Beta");
  expectShown({});
}

// The autostart entry follows the menu's check; a folder that cannot be made is told.
TEST_F(DesktopTest, StartAtLoginWritesAndRemovesTheAutostartEntry) {
  QAction* autostart = action("trayAutostart");
  autostart->trigger();
  const std::string entry = readBytes(AutostartEntry::path().toStdString());
  EXPECT_TRUE(has(entry, "Exec=\"" + QCoreApplication::applicationFilePath().toStdString() + "\""));
  autostart->trigger();
  EXPECT_FALSE(QFileInfo::exists(AutostartEntry::path()));

  writeBytes(folder.file("plain"), "a file where a folder belongs");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.file("plain/config")));
  autostart->trigger();
  EXPECT_FALSE(autostart->isChecked());
  expectShown({"Tallyworks W: Tallyworks could not make the folder of"});
}

TEST_F(DesktopTest, ClosingHidesTheWindowUntilReleased) {
  QWidget window;
  CloseToTray closer(window);
  QSignalSpy hidden(&closer, &CloseToTray::hidden);
  window.show();
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(hidden.count(), 1);
  closer.release();
  window.show();
  EXPECT_TRUE(window.close());
}

// Week of Monday 11 March 2024: entries count on their local day; markers and other weeks
// do not.
TEST_F(DesktopTest, SummaryShowsHoursPerCategoryAndDaySavesAndPrints) {
  addEntry("Alpha", at(11, 9), "Design", 90);
  addEntry("Beta", at(12, 23, 30), "Admin", 30);
  addEntry("Alpha", at(17, 10), "Design", 60);
  addEntry("Start Work", at(12, 8), "Tallyworks Start", 0);
  addEntry("Alpha", at(18, 0), "Design", 600);
  SummaryView view(store, services);
  const auto bars = [&] {
    QStringList sets;
    auto* series = static_cast<QStackedBarSeries*>(
        view.findChildren<QChartView*>().at(0)->chart()->series().at(0));
    for (QBarSet* set : series->barSets()) {
      QStringList values;
      for (int i = 0; i < set->count(); ++i) values << QString::number(set->at(i));
      sets << set->label() + " " + values.join(',');
    }
    return sets.join('|');
  };
  EXPECT_EQ(bars(), "Design 1.5,0,0,0,0,0,1|Admin 0,0.5,0,0,0,0,0");
  auto* pie =
      static_cast<QPieSeries*>(view.findChildren<QChartView*>().at(1)->chart()->series().at(0));
  EXPECT_EQ(pie->slices().at(0)->label(), "Design<br>2.5 h");

  view.showPeriod(SummaryView::Kind::Month, at(20, 9));
  EXPECT_EQ(bars().count(','), 2 * 30);
  EXPECT_TRUE(bars().startsWith("Design 0,0,0,0,0,0,0,0,0,0,1.5,0,0,0,0,0,1,10,0"))
      << bars().toStdString();

  view.saveTo(QString::fromStdString(folder.file("s.svg")));
  view.saveTo(QString::fromStdString(folder.file("s.png")));
  EXPECT_EQ(readBytes(folder.file("s.svg")).substr(0, 5), "<?xml");
  EXPECT_EQ(readBytes(folder.file("s.png")).substr(1, 3), "PNG");
  view.findChild<QPushButton*>("printButton")->click();
  ASSERT_EQ(desktop.printedImages.size(), 1);
  expectShown({});
}

}  // namespace
}  // namespace tw::test

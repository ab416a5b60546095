#include <QCalendarWidget>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include "WindowFixture.h"
#include "gui/report/ReportTextView.h"

namespace tw::test {
namespace {

class ReportPanelTest : public WindowFixture {
 protected:
  void SetUp() override {
    addEntry("Layout", at(11, 9), "Design", 90);
    addEntry("Mail", at(11, 14), "Admin", 20);
    addEntry("Review", at(12, 10), "Design", 20);
    addEntry("Later", at(20, 9), "Design", 60);
    load();
    desktop.onDialog = [this](QDialog& d) { return answer(d); };
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged,
                     [this](const QString& text) { progress << text; });
  }
  // Date pickers are double-clicked on nextDay (closed when it is invalid); viewers are read.
  int answer(QDialog& dialog) {
    if (auto* calendar = dialog.findChild<QCalendarWidget*>("calendar")) {
      shownOn = calendar->selectedDate();
      if (nextDay.isValid()) emit calendar->activated(nextDay);
    }
    if (auto* text = dialog.findChild<ReportTextView*>("reportText"))
      viewed << QString::fromStdString(text->bytes());
    return dialog.result();
  }
  void pick(const char* button, QDate day) {
    nextDay = day;
    click(button);
  }
  // Asks for a report and waits until the panel takes requests again.
  void request(const char* button) {
    click(button);
    EXPECT_TRUE(QTest::qWaitFor([this] { return child<QLineEdit>("categoryField")->isEnabled(); }));
  }
  QString field(const char* name) const { return child<QLineEdit>(name)->text(); }

  QDate nextDay, shownOn;
  QStringList viewed, progress;
};

TEST_F(ReportPanelTest, DatesArePickedFromTodayAndEmptiedByDoubleClick) {
  pick("startDateButton", QDate(2024, 2, 29));
  EXPECT_EQ(shownOn, QDate(2024, 3, 11));
  pick("endDateButton", QDate(2024, 12, 1));
  pick("startDateButton", QDate());  // closed without a choice
  EXPECT_EQ(field("startDateField") + " " + field("endDateField"), "2/29/2024 12/1/2024");
  QTest::mouseDClick(child<QLineEdit>("startDateField"), Qt::LeftButton);
  EXPECT_EQ(field("startDateField") + " " + field("endDateField"), " 12/1/2024");
}

TEST_F(ReportPanelTest, ReportIsMadeAwayFromTheWindowThenShownInTheViewer) {
  pick("startDateButton", QDate(2024, 3, 11));
  pick("endDateButton", QDate(2024, 3, 12));
  child<QLineEdit>("categoryField")->setText("design");
  click("reportButton");
  EXPECT_EQ(child<QPushButton>("reportButton")->text(), "Cancel");
  EXPECT_FALSE(child<QPushButton>("csvButton")->isEnabled());
  EXPECT_TRUE(viewed.isEmpty());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !viewed.isEmpty(); }));
  EXPECT_TRUE(viewed[0].contains("Layout") && viewed[0].contains("Review"));
  EXPECT_FALSE(viewed[0].contains("Mail") || viewed[0].contains("Later"));
  EXPECT_EQ(progress.first(), QString::fromUtf8("Reading journal\u2026 0 items"));
  EXPECT_TRUE(progress.contains(QString::fromUtf8("Reading journal\u2026 3 items")));
  EXPECT_EQ(progress.last(), "");
  EXPECT_EQ(opener.accesses, std::vector{StoreOpener::Access::ReadOnly});
  EXPECT_TRUE(QTest::qWaitFor([this] { return child<QPushButton>("csvButton")->isEnabled(); }));
}

// The pressed button cancels its request: nothing is shown or saved, and the requests come back.
TEST_F(ReportPanelTest, ARequestIsCancelledByItsOwnButton) {
  pick("startDateButton", QDate(2024, 3, 11));
  pick("endDateButton", QDate(2024, 3, 12));
  for (const char* button : {"reportButton", "csvButton"}) {
    click(button);
    request(button);
    EXPECT_EQ(child<QPushButton>(button)->text().left(8), "Generate");
  }
  EXPECT_TRUE(viewed.isEmpty() && desktop.offered.isEmpty());
  expectShown({});
  request("reportButton");
  EXPECT_EQ(viewed.size(), 1);
}

TEST_F(ReportPanelTest, CsvNeedsBothDatesAndIsWrittenWhole) {
  pick("startDateButton", QDate(2024, 3, 11));
  click("csvButton");
  expectShown({"Tallyworks W: Please enter a date range for a CSV file"});
  EXPECT_TRUE(opener.accesses.empty());
  pick("endDateButton", QDate(2024, 3, 12));
  const std::string file = folder.file("hours.csv");
  writeBytes(file, std::string(5000, 'x'));
  desktop.answers = {QString::fromStdString(file), folder.file("missing/hours.csv").c_str()};
  request("csvButton");
  request("csvButton");
  EXPECT_EQ(readBytes(file), "category,3/11/2024,3/12/2024\r\nDesign,1.5,0.33\r\nAdmin,0.33,0\r\n");
  EXPECT_EQ(desktop.offered, QStringList({"*.csv ", "*.csv " + QString::fromStdString(file)}));
  expectShown({"Error Saving File C: The file"});
}

TEST_F(ReportPanelTest, FailuresAreShownAndTheRequestsComeBack) {
  pick("startDateButton", QDate(2024, 3, 11));
  pick("endDateButton", QDate(9999, 12, 31));
  request("reportButton");  // a range that ends past the last day there is
  expectShown({"Tallyworks C: "});
  removeStoreFiles();
  request("reportButton");
  request("csvButton");
  expectShown({"Error Getting Journal Entries C: The store file",
               "Error Getting Journal Entries C: The store file"});
  EXPECT_TRUE(viewed.isEmpty() && desktop.offered.isEmpty());
}

}  // namespace
}  // namespace tw::test

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/reporting/windows/ReportWindowFixture.h"
#include "tests/reporting/windows/TempDir.h"

namespace tw {
namespace {

using Icon = MessageBoxes::Icon;

DateTime at(int month, int day, int hour) {
  return DateTime::fromParts(2024, month, day, hour);
}

class ReportRequestsTest : public testing::ReportWindowFixture {
 protected:
  void SetUp() override {
    addEntries(
        {entry(at(3, 11, 9), 90, "Design", "Layout"), entry(at(3, 11, 14), 20, "Admin", "Mail"),
         entry(at(3, 12, 10), 20, "Design", "Review"), entry(at(3, 20, 9), 60, "Design", "Later")});
  }
  void pickRange() {
    pick(window->btnDateStart, QDate(2024, 3, 11));
    pick(window->btnDateEnd, QDate(2024, 3, 12));
  }
  testing::TempDir files;
};

TEST_F(ReportRequestsTest, ReportShowsTheFilteredJournalInTheViewer) {
  pickRange();
  window->txtCategory->setText("design");
  window->btnReport->click();
  ASSERT_EQ(viewerTexts.size(), 1);
  const QString text = viewerTexts[0];
  EXPECT_TRUE(
      text.startsWith("JOURNAL REPORT\r\nRange: 3/11/2024 through 3/12/2024, "
                      "Category: design\r\n"));
  EXPECT_TRUE(text.contains("Layout\r\n"));
  EXPECT_TRUE(text.contains("Review\r\n"));
  EXPECT_FALSE(text.contains("Mail"));
  EXPECT_FALSE(text.contains("Later"));
  EXPECT_TRUE(text.endsWith("TOTALS:\r\n-------\r\nDesign: 1 hour, 50 minutes\r\n"));
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_TRUE(reportControlsEnabled());
  EXPECT_EQ(fake.dialogs.shown.back(), "Journal Report");
}

TEST_F(ReportRequestsTest, ReportWithoutDatesCoversTheWholeJournal) {
  window->btnReport->click();
  ASSERT_EQ(viewerTexts.size(), 1);
  EXPECT_TRUE(viewerTexts[0].contains("\r\nRange: ALL, Category: ALL\r\n"));
  EXPECT_TRUE(viewerTexts[0].contains("Later"));
  EXPECT_TRUE(window->txtStartDate->text().isEmpty());
}

TEST_F(ReportRequestsTest, ReadingShowsProgressInTheStatusBarAndClearsIt) {
  window->btnReport->click();
  ASSERT_FALSE(statusMessages.isEmpty());
  EXPECT_EQ(statusMessages.front(), QString::fromUtf8("Reading journal\u2026 0 items"));
  EXPECT_EQ(statusMessages.back(), "");
  EXPECT_TRUE(window->StatusBar->currentMessage().isEmpty());
}

TEST_F(ReportRequestsTest, ProgressCountsTheItemsOfALargeJournal) {
  std::vector<JournalEntry> many(12000, entry(at(1, 2, 9), 1, "Bulk"));
  addEntries(many);
  window->btnReport->click();
  EXPECT_TRUE(statusMessages.contains(QString::fromUtf8("Reading journal\u2026 10000 items")));
  ASSERT_EQ(viewerTexts.size(), 1);
  EXPECT_TRUE(viewerTexts[0].contains("Bulk: 200 hours"));
}

TEST_F(ReportRequestsTest, EachRequestReadsTheJournalAfresh) {
  pickRange();
  window->btnReport->click();
  addEntries({entry(at(3, 12, 16), 45, "Support", "Call")});
  window->btnReport->click();
  ASSERT_EQ(viewerTexts.size(), 2);
  EXPECT_FALSE(viewerTexts[0].contains("Support"));
  EXPECT_TRUE(viewerTexts[1].contains("Support: 45 minutes"));
}

TEST_F(ReportRequestsTest, CsvIsWrittenExactlyOverALongerFile) {
  pickRange();
  const QString file = files.path("hours.csv");
  testing::TempDir::write(file, QByteArray(10000, 'z'));
  fake.saveDialog.answers = {file};
  window->btnCSV->click();
  EXPECT_EQ(testing::TempDir::read(file),
            "category,3/11/2024,3/12/2024\r\nDesign,1.5,0.33\r\nAdmin,0.33,0\r\n");
  EXPECT_EQ(fake.saveDialog.filters, std::vector<QString>{"*.csv"});
  EXPECT_EQ(fake.saveDialog.suffixes, std::vector<QString>{"csv"});
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, CsvSaveDialogOffersTheNameChosenLast) {
  pickRange();
  const QString first = files.path("first.csv");
  fake.saveDialog.answers = {first};
  window->btnCSV->click();
  window->txtCategory->setText("Admin");
  fake.saveDialog.answers = {files.path("second.csv")};
  window->btnCSV->click();
  EXPECT_EQ(fake.saveDialog.offered, (std::vector<QString>{"", first}));
  EXPECT_EQ(testing::TempDir::read(files.path("second.csv")),
            "category,3/11/2024,3/12/2024\r\nAdmin,0.33,0\r\n");
}

TEST_F(ReportRequestsTest, CsvNeedsBothDatesAndDoesNotTouchTheStore) {
  breakStore();
  pick(window->btnDateStart, QDate(2024, 3, 11));
  window->btnCSV->click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].text, "Please enter a date range for a CSV file");
  EXPECT_EQ(fake.messages.messages[0].title, "Tallyworks");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Warning);
  EXPECT_TRUE(fake.saveDialog.offered.empty());
  EXPECT_TRUE(statusMessages.isEmpty());
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, CancelledCsvSaveWritesAndShowsNothing) {
  pickRange();
  window->btnCSV->click();  // no scripted answer: the dialog is cancelled
  EXPECT_EQ(fake.saveDialog.offered.size(), 1u);
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_TRUE(window->commonDialogFileName.isEmpty());
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, UnwritableCsvTargetShowsErrorSavingFile) {
  pickRange();
  fake.saveDialog.answers = {files.path("no-such-folder/hours.csv")};
  window->btnCSV->click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Saving File");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Critical);
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, UnreadableStoreEndsTheReportRequestAfterTheMessage) {
  breakStore();
  window->btnReport->click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Getting Journal Entries");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Critical);
  EXPECT_FALSE(fake.messages.messages[0].text.isEmpty());
  EXPECT_TRUE(viewerTexts.isEmpty());
  EXPECT_TRUE(reportControlsEnabled());
  EXPECT_TRUE(window->lstTasks->isEnabled());
}

TEST_F(ReportRequestsTest, UnreadableStoreWritesNoCsv) {
  pickRange();
  window->btnReport->click();  // a complete report first: its entries must not be reused
  breakStore();
  const QString file = files.path("hours.csv");
  fake.saveDialog.answers = {file};
  window->btnCSV->click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Getting Journal Entries");
  EXPECT_TRUE(fake.saveDialog.offered.empty());
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, ReportThatCannotBeRenderedIsExplained) {
  pick(window->btnDateStart, QDate(2024, 3, 11));
  pick(window->btnDateEnd, QDate(9999, 12, 31));  // the range ends past the last date
  window->btnReport->click();
  EXPECT_TRUE(viewerTexts.isEmpty());
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Tallyworks");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Critical);
  EXPECT_FALSE(fake.messages.messages[0].text.isEmpty());
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, CsvThatCannotBeRenderedIsExplainedAndWritesNothing) {
  pickRange();
  window->txtEndDate->setText("soon");
  fake.saveDialog.answers = {files.path("hours.csv")};
  window->btnCSV->click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Tallyworks");
  EXPECT_EQ(fake.messages.messages[0].icon, Icon::Critical);
  EXPECT_TRUE(fake.saveDialog.offered.empty());
  EXPECT_TRUE(reportControlsEnabled());
}

TEST_F(ReportRequestsTest, ViewerOfARequestSavesTheReport) {
  const QString file = files.path("report.txt");
  fake.saveDialog.answers = {file};
  onViewer = [](frmViewer& viewer) { viewer.Save_Click(); };
  window->btnReport->click();
  ASSERT_EQ(viewerTexts.size(), 1);
  EXPECT_EQ(testing::TempDir::read(file), viewerTexts[0].toUtf8());
  EXPECT_EQ(fake.saveDialog.suffixes, std::vector<QString>{"txt"});
}

TEST_F(ReportRequestsTest, DateButtonsWriteTheDoubleClickedDay) {
  pick(window->btnDateStart, QDate(2024, 2, 29));
  pick(window->btnDateEnd, QDate(2024, 12, 1));
  EXPECT_EQ(window->txtStartDate->text(), "2/29/2024");
  EXPECT_EQ(window->txtEndDate->text(), "12/1/2024");
  EXPECT_EQ(fake.dialogs.shown, (std::vector<QString>{"Select Date", "Select Date"}));
}

TEST_F(ReportRequestsTest, ClosingThePickerLeavesTheDateField) {
  pick(window->btnDateStart, QDate());
  EXPECT_EQ(window->txtStartDate->text(), "");
  pick(window->btnDateStart, QDate(2024, 3, 1));
  pick(window->btnDateEnd, QDate());
  pick(window->btnDateStart, QDate());
  EXPECT_EQ(window->txtStartDate->text(), "3/1/2024");
  EXPECT_EQ(window->txtEndDate->text(), "");
}

TEST_F(ReportRequestsTest, DoubleClickEmptiesADateFieldAndTypingDoesNothing) {
  pickRange();
  QTest::keyClicks(window->txtStartDate, "1/1/2000");
  EXPECT_EQ(window->txtStartDate->text(), "3/11/2024");
  QTest::mouseDClick(window->txtStartDate, Qt::LeftButton);
  EXPECT_EQ(window->txtStartDate->text(), "");
  EXPECT_EQ(window->txtEndDate->text(), "3/12/2024");
  QTest::mouseDClick(window->txtEndDate, Qt::LeftButton);
  EXPECT_EQ(window->txtEndDate->text(), "");
}

TEST_F(ReportRequestsTest, ExpandButtonTogglesTheReportArea) {
  const int collapsed = window->frameGeometry().height();
  EXPECT_FALSE(window->reportShown);
  window->btnExpand->click();
  EXPECT_TRUE(window->reportShown);
  EXPECT_FALSE(window->frReport->isHidden());
  EXPECT_GT(window->frameGeometry().height(), collapsed);
  window->btnExpand->click();
  EXPECT_FALSE(window->reportShown);
  EXPECT_TRUE(window->frReport->isHidden());
  EXPECT_EQ(window->frameGeometry().height(), collapsed);
}

}  // namespace
}  // namespace tw

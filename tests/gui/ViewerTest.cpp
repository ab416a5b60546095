#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <string>

#include "reporting/ReportTextView.h"
#include "reporting/frmViewer.h"
#include "tests/reporting/windows/TempDir.h"
#include "tests/support/FakeWindowServices.h"

namespace tw {
namespace {

const QString kReport = QString::fromUtf8(
    "Journal Report\r\n\r\nCafé – Straße 東京    1 hour\r\nTotal          2 hours\r\n");

class ViewerTest : public ::testing::Test {
 protected:
  testing::FakeWindowServices fake;
  testing::TempDir dir;
  frmViewer viewer{fake.services};

  void SetUp() override { viewer.setText(kReport.toStdString()); }
};

TEST_F(ViewerTest, LooksAsDesigned) {
  EXPECT_EQ(viewer.windowTitle(), "Journal Report");
  ASSERT_EQ(viewer.menuBar->actions().size(), 1);
  EXPECT_EQ(viewer.menuBar->actions()[0]->text(), "File");
  ASSERT_EQ(viewer.File->actions().size(), 2);
  EXPECT_EQ(viewer.File->actions()[0]->text(), "Save");
  EXPECT_EQ(viewer.File->actions()[1]->text(), "Print");
  EXPECT_TRUE(viewer.Save->shortcut().isEmpty());
  EXPECT_TRUE(QFontInfo(viewer.txtMain->font()).fixedPitch());
  EXPECT_EQ(viewer.text(), kReport);
}

TEST_F(ViewerTest, TextAreaFollowsTheWindowSizeAndNeverGoesNegative) {
  viewer.resize(800, 600);
  viewer.Form_Resize();
  // 110 and 680 twips are 7.33 and 45.33 pixels.
  EXPECT_EQ(viewer.txtMain->size(), QSize(793, 555));
  EXPECT_EQ(viewer.txtMain->pos(), QPoint(0, viewer.menuBar->height()));

  viewer.resize(900, 650);
  viewer.Form_Resize();
  EXPECT_EQ(viewer.txtMain->size(), QSize(893, 605));

  viewer.resize(5, 40);
  viewer.Form_Resize();
  EXPECT_GE(viewer.txtMain->width(), 0);
  EXPECT_EQ(viewer.txtMain->height(), 0);
}

TEST_F(ViewerTest, ResizingTheShownWindowRunsFormResize) {
  viewer.show();
  viewer.resize(700, 500);
  EXPECT_EQ(viewer.txtMain->size(),
            QSize(viewer.frameGeometry().width() - 7, viewer.frameGeometry().height() - 45));
}

TEST_F(ViewerTest, SaveWritesExactlyTheShownTextAsUtf8AndReplacesALongerFile) {
  const QString file = dir.path("report.txt");
  testing::TempDir::write(file, QByteArray(4096, 'x'));
  fake.saveDialog.answers = {file};
  emit viewer.Save->triggered();
  EXPECT_EQ(testing::TempDir::read(file), kReport.toUtf8());
  EXPECT_FALSE(testing::TempDir::read(file).startsWith("\xEF\xBB\xBF"));
  EXPECT_EQ(fake.saveDialog.filters, std::vector<QString>{"*.txt"});
  EXPECT_EQ(fake.saveDialog.suffixes, std::vector<QString>{"txt"});
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(ViewerTest, SaveAndPrintUseTheTextHeldAtThatMomentAndSaveOffersTheLastName) {
  const QString first = dir.path("first.txt");
  fake.saveDialog.answers = {first, ""};
  viewer.Save_Click();
  viewer.setText(std::string("second report\r\nwithout a last line end"));
  viewer.Save_Click();  // cancelled
  EXPECT_EQ(fake.saveDialog.offered, (std::vector<QString>{"", first}));
  EXPECT_EQ(testing::TempDir::read(first), kReport.toUtf8());

  fake.saveDialog.answers = {first};
  viewer.Save_Click();
  EXPECT_EQ(testing::TempDir::read(first), QByteArray("second report\r\nwithout a last line end"));
  viewer.Print_Click();
  EXPECT_EQ(fake.printer.printed, std::vector<QString>{"second report\r\nwithout a last line end"});
  EXPECT_EQ(viewer.txtMain->lineCount(), 2u);
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(ViewerTest, CancelledSaveWritesAndShowsNothing) {
  viewer.Save_Click();
  EXPECT_EQ(fake.saveDialog.offered.size(), 1u);
  EXPECT_TRUE(fake.messages.messages.empty());
  EXPECT_TRUE(viewer.commonDialogFileName.isEmpty());
}

TEST_F(ViewerTest, SaveFailureShowsErrorSavingFileAndKeepsTheOldFile) {
  fake.saveDialog.answers = {dir.path("missing-folder/report.txt")};
  viewer.Save_Click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].title, "Error Saving File");
  EXPECT_EQ(fake.messages.messages[0].icon, MessageBoxes::Icon::Critical);
  EXPECT_TRUE(fake.messages.messages[0].text.contains("missing-folder"));
  EXPECT_FALSE(QFile::exists(dir.path("missing-folder/report.txt")));
}

TEST_F(ViewerTest, PrintSendsTheHeldTextToThePrinter) {
  emit viewer.Print->triggered();
  EXPECT_EQ(fake.printer.printed, std::vector<QString>{kReport});
  EXPECT_TRUE(fake.messages.messages.empty());
}

TEST_F(ViewerTest, PrintFailureShowsItsDescription) {
  fake.printer.failure = "no default printer is set up";
  viewer.Print_Click();
  ASSERT_EQ(fake.messages.messages.size(), 1u);
  EXPECT_EQ(fake.messages.messages[0].text, "no default printer is set up");
  EXPECT_EQ(fake.messages.messages[0].title, "Tallyworks");
  EXPECT_EQ(fake.messages.messages[0].icon, MessageBoxes::Icon::Critical);
}

}  // namespace
}  // namespace tw

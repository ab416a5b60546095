#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>

#include "WindowFixture.h"
#include "gui/DefaultPrinter.h"
#include "gui/PdfPrinter.h"
#include "gui/QtSaveDialog.h"
#include "gui/ReportTextView.h"
#include "gui/ReportViewer.h"

namespace tw::test {
namespace {

class ReportViewerTest : public WindowFixture {
 protected:
  void trigger(const char* action) { viewer.findChild<QAction*>(action)->trigger(); }
  ReportViewer viewer{services};
};

TEST_F(ReportViewerTest, SavesAndPrintsTheReportHeld) {
  const std::string report =
      "Journal Report\r\n\r\nCaf\u00e9 \u2013 Stra\u00dfe \u6771\u4eac  1 hour\r\n";
  viewer.setText(report);
  const std::string file = folder.file("report.txt");
  writeBytes(file, std::string(5000, 'x'));
  desktop.answers = {QString::fromStdString(file), ""};
  trigger("saveAction");
  trigger("saveAction");  // cancelled
  EXPECT_EQ(readBytes(file), report);
  EXPECT_EQ(desktop.offered, QStringList({"*.txt ", "*.txt " + QString::fromStdString(file)}));
  trigger("printAction");
  EXPECT_EQ(desktop.printed, std::vector{QString::fromStdString(report)});
  desktop.printFailure = "no default printer is set up";
  trigger("printAction");
  expectShown({"Tallyworks C: no default printer is set up"});
}

// Plain lines in order, a new page whenever one is full.
TEST(PrintingTest, PdfHoldsEveryLineInOrderOverSeveralPages) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
  TempFolder folder;
  QString text;
  for (int i = 1; i <= 300; ++i) text += QString("line %1\r\n").arg(i);
  const QString pdf = QString::fromStdString(folder.file("report.pdf"));
  PdfPrinter(pdf).print(text);
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(pdftotext.waitForFinished());
  const QString out = QString::fromUtf8(pdftotext.readAllStandardOutput());
  EXPECT_GE(out.count('\f'), 3);
  for (int i = 1, last = -1; i <= 300; ++i) {
    const int at = static_cast<int>(out.indexOf(QString("line %1\n").arg(i)));
    ASSERT_GT(at, last) << "line " << i;
    last = at;
  }
}

TEST(PrintingTest, DefaultPrinterPrintsOrSaysThereIsNone) {
  if (QPrinterInfo::defaultPrinter().isNull()) {
    try {
      DefaultPrinter().print("x");
      ADD_FAILURE() << "printed without a printer";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("no default printer"), std::string::npos);
    }
    GTEST_SKIP() << "no default printer";
  }
  EXPECT_NO_THROW(DefaultPrinter().print("Tallyworks printer check\r\n"));
}

TEST_F(ReportViewerTest, SaveDialogAppendsTheExtensionAndCancelGivesNoName) {
  QtSaveDialog dialog(desktop);
  const QString chosen = QString::fromStdString(folder.file("hours"));
  desktop.onDialog = [&](QDialog& d) {
    auto& files = dynamic_cast<QFileDialog&>(d);
    files.selectFile(chosen);
    static_cast<QDialog&>(files).accept();
    return files.result();
  };
  EXPECT_EQ(dialog.getSaveFileName(nullptr, "*.csv", "csv", ""), chosen + ".csv");
  desktop.onDialog = [](QDialog& d) { return d.reject(), d.result(); };
  EXPECT_EQ(dialog.getSaveFileName(nullptr, "*.csv", "csv", chosen), "");
}

class ReportTextViewTest : public ::testing::Test {
 protected:
  static std::string lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
  }
  void SetUp() override {
    view.resize(400, 300);
    view.show();
  }
  void click(std::size_t line, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.lineRect(line).center());
  }
  ReportTextView view;
};

TEST_F(ReportTextViewTest, SelectsAndCopiesWholeLines) {
  view.setText(lines(10));
  click(6);
  click(4, Qt::ShiftModifier);
  EXPECT_EQ(view.selectedText(), "line 4\r\nline 5\r\nline 6\r\n");
  view.setText("Caf\u00e9\nno line end at the end");
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Caf\u00e9\r\nno line end at the end");
}

TEST_F(ReportTextViewTest, ScrollsOverAMillionLines) {
  view.setText(lines(1000000));
  QScrollBar* vertical = view.verticalScrollBar();
  EXPECT_EQ(vertical->maximum(), 1000000 - vertical->pageStep());
  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(vertical->value(), vertical->maximum());
  EXPECT_LE(view.lineRect(999999).bottom(), view.viewport()->height());
  EXPECT_EQ(view.line(999999), "line 999999");
}

}  // namespace
}  // namespace tw::test

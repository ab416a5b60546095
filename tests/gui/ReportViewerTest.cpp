#include <QClipboard>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>

#include "WindowFixture.h"
#include "gui/common/DefaultPrinter.h"
#include "gui/common/PdfPrinter.h"
#include "gui/report/ReportTextView.h"
#include "gui/report/ReportViewer.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TextEdits.h"

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
  EXPECT_EQ(desktop.printed, QStringList{QString::fromStdString(report)});
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
    EXPECT_TRUE(has(failureOf<std::runtime_error>([] { DefaultPrinter().print("x"); }),
                    "no default printer"));
    GTEST_SKIP() << "no default printer";
  }
  EXPECT_NO_THROW(DefaultPrinter().print("Tallyworks printer check\r\n"));
}

// Whole lines are selected with the mouse or Ctrl+A and copied with CR LF line ends; a long
// text scrolls to its last line.
TEST(ReportTextViewTest, SelectsCopiesAndScrollsWholeLines) {
  ReportTextView view;
  view.resize(400, 300);
  view.show();
  std::string text;
  for (int i = 0; i < 1000000; ++i) text += "line " + std::to_string(i) + "\r\n";
  view.setText(text);
  const auto click = [&](std::size_t line, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.lineRect(line).center());
  };
  click(6, Qt::NoModifier);
  click(4, Qt::ShiftModifier);
  EXPECT_EQ(view.selectedText(), "line 4\r\nline 5\r\nline 6\r\n");
  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(view.verticalScrollBar()->value(), 1000000 - view.verticalScrollBar()->pageStep());
  EXPECT_LE(view.lineRect(999999).bottom(), view.viewport()->height());
  view.setText("Caf\u00e9\nno line end at the end");
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Caf\u00e9\r\nno line end at the end");
}

}  // namespace
}  // namespace tw::test

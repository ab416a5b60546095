#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <stdexcept>

#include "reporting/DefaultPrinter.h"
#include "reporting/PdfPrinter.h"
#include "tests/reporting/windows/TempDir.h"

namespace tw {
namespace {

// The text of a PDF file as pdftotext lays it out; pages end with a form feed.
QString pdfText(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", pdf, "-"});
  if (!p.waitForFinished() || p.exitCode() != 0) return "<pdftotext failed>";
  return QString::fromUtf8(p.readAllStandardOutput());
}

class PdfPrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
      GTEST_SKIP() << "pdftotext is not installed";
  }
  testing::TempDir dir;
};

TEST_F(PdfPrintingTest, PrintsThePlainLinesInOrder) {
  const QString pdf = dir.path("report.pdf");
  PdfPrinter(pdf).print("Journal Report\r\n\r\nDesign        2 hours, 30 minutes\r\nTotal");
  const QStringList lines = pdfText(pdf).split('\n');
  QStringList words;
  for (const QString& line : lines) words << line.simplified();
  words.removeAll("");
  words.removeAll("\f");
  EXPECT_EQ(words, (QStringList{"Journal Report", "Design 2 hours, 30 minutes", "Total"}));
}

TEST_F(PdfPrintingTest, LongTextRunsOverSeveralPagesWithoutLosingALine) {
  QString text;
  for (int i = 1; i <= 300; ++i) text += QString("line %1\r\n").arg(i);
  const QString pdf = dir.path("long.pdf");
  PdfPrinter(pdf).print(text);
  const QString out = pdfText(pdf);
  EXPECT_GE(out.count('\f'), 3);
  qsizetype last = -1;
  for (int i = 1; i <= 300; ++i) {
    const qsizetype at = out.indexOf(QString("line %1\n").arg(i));
    ASSERT_GT(at, last) << "line " << i;
    last = at;
  }
}

TEST_F(PdfPrintingTest, UnwritableFileIsReportedAsAFailure) {
  EXPECT_THROW(PdfPrinter(dir.path("no-such-folder/report.pdf")).print("x"), std::runtime_error);
}

// The system's default printer (the cups-pdf printer the test script sets up, where the
// machine allows it).
TEST(DefaultPrinterTest, PrintsOnTheDefaultPrinter) {
  if (QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "no default printer";
  EXPECT_NO_THROW(DefaultPrinter().print("Tallyworks printer check\r\n"));
}

TEST(DefaultPrinterTest, WithoutDefaultPrinterTheUserIsTold) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a default printer is set up";
  try {
    DefaultPrinter().print("x");
    FAIL() << "printed without a printer";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("no default printer"), std::string::npos);
  }
}

}  // namespace
}  // namespace tw

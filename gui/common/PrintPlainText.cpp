#include "gui/common/PrintPlainText.h"
#include "gui/common/WindowError.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

namespace tw {

namespace {

[[noreturn]] void fail(const QPrinter& printer, const char* what) {
  QString name = printer.outputFileName();
  if (name.isEmpty()) name = printer.printerName();
  throw WindowError(QStringLiteral("The report could not be printed on \"%1\": %2.")
                        .arg(name, QString::fromLatin1(what))
                        .toStdString());
}

QStringList linesOf(const QString& text) {
  QString all = text;
  all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  all += QLatin1Char('\n');
  QStringList lines = all.split(QLatin1Char('\n'));
  lines.removeLast();  // what follows the final line end
  return lines;
}

}  // namespace

void PrintPlainText::print(QPrinter& printer, const QString& text) {
  QPainter painter;
  if (!painter.begin(&printer)) fail(printer, "the printer did not start the job");
  const QFontMetrics metrics(painter.font(), &printer);
  const int pageHeight = printer.height();
  int baseline = metrics.ascent();
  for (const QString& line : linesOf(text)) {
    if (baseline + metrics.descent() > pageHeight && baseline > metrics.ascent()) {
      if (!printer.newPage()) fail(printer, "a new page could not be started");
      baseline = metrics.ascent();
    }
    painter.drawText(0, baseline, line);
    baseline += metrics.lineSpacing();
  }
  if (!painter.end() || printer.printerState() == QPrinter::Error)
    fail(printer, "the job was not accepted");
}

}  // namespace tw

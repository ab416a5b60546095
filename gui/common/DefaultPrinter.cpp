#include "gui/common/DefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "gui/common/PrintHtml.h"
#include "gui/common/PrintImage.h"
#include "gui/common/PrintPlainText.h"
#include "gui/common/WindowError.h"

namespace tw {

namespace {

QPrinterInfo defaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    throw WindowError(
        "The report could not be printed: no default printer is set up. Choose a default "
        "printer in the system's printer settings, then print again.");
  }
  return info;
}

}  // namespace

void DefaultPrinter::print(const QString& text) {
  QPrinter printer(defaultPrinter());
  printer.setDocName(QStringLiteral("Journal Report"));
  PrintPlainText::print(printer, text);
}

void DefaultPrinter::printImage(const QImage& image) {
  QPrinter printer(defaultPrinter());
  printer.setDocName(QStringLiteral("Tallyworks Summary"));
  PrintImage::print(printer, image);
}

void DefaultPrinter::printDocument(const QString& title, const QString& html) {
  QPrinter printer(defaultPrinter());
  printer.setDocName(title);
  PrintHtml::print(printer, html);
}

}  // namespace tw

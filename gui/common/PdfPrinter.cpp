#include "gui/common/PdfPrinter.h"

#include <QPrinter>

#include "gui/common/PrintImage.h"
#include "gui/common/PrintPlainText.h"

namespace tw {

void PdfPrinter::print(const QString& text) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  printer.setDocName(QStringLiteral("Journal Report"));
  PrintPlainText::print(printer, text);
}

void PdfPrinter::printImage(const QImage& image) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  printer.setDocName(QStringLiteral("Tallyworks Summary"));
  PrintImage::print(printer, image);
}

}  // namespace tw

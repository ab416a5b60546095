#include "gui/common/PdfPrinter.h"

#include <QPrinter>

#include "gui/common/PrintHtml.h"
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

void PdfPrinter::printDocument(const QString& title, const QString& html) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  printer.setDocName(title);
  PrintHtml::print(printer, html);
}

}  // namespace tw

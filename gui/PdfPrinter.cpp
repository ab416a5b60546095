#include "reporting/PdfPrinter.h"

#include <QPrinter>

#include "reporting/PrintPlainText.h"

namespace tw {

void PdfPrinter::print(const QString& text) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  printer.setDocName(QStringLiteral("Journal Report"));
  printPlainText(printer, text);
}

}  // namespace tw

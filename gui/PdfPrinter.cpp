#include "gui/PdfPrinter.h"

#include <QPrinter>

#include "gui/PrintPlainText.h"

namespace tw {

void PdfPrinter::print(const QString& text) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  printer.setDocName(QStringLiteral("Journal Report"));
  PrintPlainText::print(printer, text);
}

}  // namespace tw

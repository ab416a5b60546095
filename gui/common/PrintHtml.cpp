#include "gui/common/PrintHtml.h"

#include <QPrinter>
#include <QTextDocument>

#include "gui/common/WindowError.h"

namespace tw {

void PrintHtml::print(QPrinter& printer, const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  document.print(&printer);
  // The document says nothing of a job that failed; the printer's state does.
  if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
    QString name = printer.outputFileName();
    if (name.isEmpty()) name = printer.printerName();
    throw WindowError(
        QStringLiteral("\"%1\" could not be printed on \"%2\": the job was not accepted.")
            .arg(printer.docName(), name)
            .toStdString());
  }
}

}  // namespace tw

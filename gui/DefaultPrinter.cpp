#include "gui/DefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

#include "gui/PrintPlainText.h"

namespace tw {

void DefaultPrinter::print(const QString& text) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    throw std::runtime_error(
        "The report could not be printed: no default printer is set up. Choose a default "
        "printer in the system's printer settings, then print again.");
  }
  QPrinter printer(info);
  printer.setDocName(QStringLiteral("Journal Report"));
  PrintPlainText::print(printer, text);
}

}  // namespace tw

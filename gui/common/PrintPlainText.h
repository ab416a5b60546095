#pragma once

#include <QString>

class QPrinter;

namespace tw {

// Text printed as plain lines in the printer's default font: no header, no page numbers, no
// wrapping; a new page when a page is full.
class PrintPlainText {
 public:
  // Throws WindowError with a description when the printer does not take the job.
  static void print(QPrinter& printer, const QString& text);
};

}  // namespace tw

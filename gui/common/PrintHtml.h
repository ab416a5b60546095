#pragma once

#include <QString>

class QPrinter;

namespace tw {

// A formatted document (HTML as QTextDocument reads it) printed over as many pages as it needs.
class PrintHtml {
 public:
  // Throws WindowError with a description when the printer does not take the job.
  static void print(QPrinter& printer, const QString& html);
};

}  // namespace tw

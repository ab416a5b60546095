#pragma once

#include <QString>

class QImage;

namespace tw {

// Sends plain text to a printer without a dialog. Throws WindowError with a
// description a person understands when it cannot print (for instance, no default printer).
class ReportPrinter {
 public:
  virtual ~ReportPrinter() = default;
  virtual void print(const QString& text) = 0;
  // A picture (the summary charts) scaled to fill one page; throws as print does.
  virtual void printImage(const QImage& image) = 0;
  // A formatted document (HTML, such as a bill) over as many pages as it needs, under the
  // title the print queue shows; throws as print does.
  virtual void printDocument(const QString& title, const QString& html) = 0;
};

}  // namespace tw

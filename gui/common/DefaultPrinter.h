#pragma once

#include "gui/common/ReportPrinter.h"

namespace tw {

// Prints on the system's default printer (CUPS through Qt Print Support) without a dialog.
class DefaultPrinter : public ReportPrinter {
 public:
  // Throws WindowError when no default printer is set up or the job is refused.
  void print(const QString& text) override;
  void printImage(const QImage& image) override;
  void printDocument(const QString& title, const QString& html) override;
};

}  // namespace tw

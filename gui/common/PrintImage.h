#pragma once

class QImage;
class QPrinter;

namespace tw {

// A picture printed on one page, scaled to the page's width or height with its proportions
// kept.
class PrintImage {
 public:
  // Throws WindowError with a description when the printer does not take the job.
  static void print(QPrinter& printer, const QImage& image);
};

}  // namespace tw

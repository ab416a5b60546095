#pragma once

#include <string>

#include "billing/Bill.h"

namespace tw {

// The words of a bill that every form of it shares: its title, the period, a line's label and
// the day forms (2026-11-03), so that text, HTML and the window say the same.
class BillLabels {
 public:
  // "Acme, 1–30 Nov 2026".
  static std::string title(const Bill& bill);
  // "EUR; rounding 15 min up, each task per day; lines per day".
  static std::string terms(const Bill& bill);
  // "2026-11-03", "2026-11-03 09:00 notes", "from 2026-11-15", "rounding 2026-11-03",
  // "rounding", or "" for a task's only line.
  static std::string line(const Bill::Line& line);
  static std::string day(DateTime day);
  // A text on one line: line breaks, tabs and other control characters become blanks.
  static std::string oneLine(std::string text);
};

}  // namespace tw

#pragma once

#include <string>

#include "billing/Bill.h"

namespace tw {

// The bill as CSV (RFC 4180, CRLF line ends) for a spreadsheet or an invoicing program: one
// row per line with its section, day, start, notes, seconds, decimal hours, rate and amount as
// plain decimal numbers with a point ("250.00") and the currency code in a column of its own;
// the last row is the total. Texts that a spreadsheet would take for a formula are quoted
// with a leading apostrophe.
class BillCsv {
 public:
  static std::string write(const Bill& bill);
};

}  // namespace tw

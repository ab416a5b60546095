#pragma once

#include <string>

#include "billing/Bill.h"
#include "billing/MoneyFormat.h"

namespace tw {

// The bill as plain text for a terminal or a file: a heading, a table of lines per section with
// hours (decimal and h:mm), rate and amount, subtotals, the total, the rounding effect, the
// time not billed and the problems.
class BillText {
 public:
  static std::string write(const Bill& bill, const MoneyFormat& money);
};

}  // namespace tw

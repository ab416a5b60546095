#pragma once

#include <string>

#include "billing/Bill.h"
#include "billing/MoneyFormat.h"

namespace tw {

// The bill as one self-contained, printable HTML page (styles inline, no scripts, no outside
// resources; every text escaped), as the command line writes it and the window prints it.
class BillHtml {
 public:
  static std::string write(const Bill& bill, const MoneyFormat& money);
};

}  // namespace tw

#include "billing/BillText.h"

namespace tw {

std::string BillText::write(const Bill&, const MoneyFormat&) {
  return {};
}

}  // namespace tw

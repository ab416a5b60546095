#include "billing/BillHtml.h"

namespace tw {

std::string BillHtml::write(const Bill&, const MoneyFormat&) {
  return {};
}

}  // namespace tw

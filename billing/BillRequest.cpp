#include "billing/BillRequest.h"

#include "billing/BillingError.h"
#include "core/BillingTerms.h"

namespace tw {

BillRequest::Per BillRequest::parsePer(std::string_view word) {
  const auto& words = BillingTerms::billLines();
  for (std::size_t i = 0; i < words.size(); ++i)
    if (word == words[i]) return static_cast<Per>(i);
  throw BillingError("\"" + std::string(word) + "\" is not one of task, day, entry");
}

}  // namespace tw

#include "billing/BillRequest.h"

#include "billing/BillingError.h"

namespace tw {

BillRequest::Per BillRequest::parsePer(std::string_view word) {
  if (word == "task") return Per::Task;
  if (word == "day") return Per::Day;
  if (word == "entry") return Per::Entry;
  throw BillingError("\"" + std::string(word) + "\" is not one of task, day, entry");
}

}  // namespace tw

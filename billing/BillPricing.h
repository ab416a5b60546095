#pragma once

#include <cstdint>
#include <span>

#include "billing/Bill.h"
#include "billing/BillRequest.h"
#include "billing/BillingData.h"
#include "core/JournalEntry.h"
#include "store/Client.h"

namespace tw {

// The rules of a bill, without a store: which of a period's entries are the client's, which
// are billed, at which rate, how their lengths are rounded and where, how lines, sections and
// the total add up, and what is wrong in the period. Lengths are the entries' seconds; amounts
// are billed hours at the rate in force on the entry's day, to the nearest minor unit per line.
class BillPricing {
 public:
  // entries: the period's days as JournalStore::readDays gives them; timedEntry: the entry
  // a timer runs on (0 for none).
  static Bill price(const BillingData& data, const Client& client, const BillRequest& request,
                    std::span<const JournalEntry> entries, std::int64_t timedEntry);
  // Billed hours at a rate per hour, to the nearest minor unit (halves away from zero).
  static std::int64_t amount(std::int64_t billedSeconds, std::int64_t ratePerHour);
};

}  // namespace tw

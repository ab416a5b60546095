#pragma once

#include <span>

#include "billing/BillingData.h"
#include "billing/Timesheet.h"
#include "core/DateTime.h"
#include "store/BillingStore.h"
#include "store/JournalStore.h"

namespace tw {

// Makes the timesheet of a week from the store, with the lengths the clients' bills give the
// same week (BillPricing), so that its totals and the bills agree.
class TimesheetBuilder {
 public:
  TimesheetBuilder(JournalStore& journal, BillingStore& billing);

  // The week (Monday to Sunday) holding the day. Throws StoreError when the store cannot be
  // read.
  Timesheet week(DateTime anyDay);
  // The grid of a week's entries (the days from monday as JournalStore::readDays gives them).
  static Timesheet make(const BillingData& data, DateTime monday,
                        std::span<const JournalEntry> entries);

 private:
  JournalStore& journal_;
  BillingStore& billing_;
};

}  // namespace tw

#pragma once

#include <cstddef>
#include <functional>

#include "billing/Bill.h"
#include "billing/BillRequest.h"
#include "store/BillingStore.h"
#include "store/JournalStore.h"

namespace tw {

// Makes a client's bill for a period from the store: reads the period's days
// (JournalStore::readDays) and prices them (BillPricing). A month on a journal of a million
// entries takes milliseconds; the window may still run it on a worker thread with a store of
// its own.
class BillBuilder {
 public:
  // Told the count of entries read after each batch; what it throws ends the build (a window
  // cancels a long bill so).
  using Progress = std::function<void(std::size_t)>;

  BillBuilder(JournalStore& journal, BillingStore& billing);

  // Throws BillingError for an unknown client or a first day after the last, StoreError when
  // the store cannot be read.
  Bill build(const BillRequest& request, const Progress& progress = {});

 private:
  JournalStore& journal_;
  BillingStore& billing_;
};

}  // namespace tw

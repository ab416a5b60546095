#pragma once

#include <string_view>
#include <vector>

#include "core/DateTime.h"
#include "store/BillingStore.h"
#include "store/InvoicedPeriod.h"
#include "store/JournalStore.h"

namespace tw {

// Marks a client's days as invoiced, so that the journal store refuses every change to the
// client's entries on them (InvoicedError), and unmarks them again, explicitly.
class Invoicing {
 public:
  Invoicing(JournalStore& journal, BillingStore& billing);

  // Throws BillingError for an unknown client, a first day after the last, a period that
  // overlaps one already marked for the client, or a timer running on one of the client's
  // entries in the period (stop it first).
  InvoicedPeriod mark(std::string_view client, DateTime first, DateTime last);
  // Unmarks the client's period of exactly these days; throws BillingError naming the client's
  // periods when there is none such.
  void undo(std::string_view client, DateTime first, DateTime last);
  std::vector<InvoicedPeriod> periods();

 private:
  JournalStore& journal_;
  BillingStore& billing_;
};

}  // namespace tw

#pragma once

#include <string>

#include "store/InvoicedPeriod.h"
#include "store/StoreError.h"

namespace tw {

// A change refused because it would change time already invoiced: an entry that lies (before
// or after the change) in an invoiced period of a client it names. The description names the
// period ("the journal entry "Design" is invoiced for Acme, 1–30 Nov 2026"); unmarking the
// period (billing/Invoicing) allows the change again.
class InvoicedError : public StoreError {
 public:
  InvoicedError(const std::string& description, InvoicedPeriod period)
      : StoreError(description), period_(std::move(period)) {}

  const InvoicedPeriod& period() const { return period_; }

 private:
  InvoicedPeriod period_;
};

}  // namespace tw

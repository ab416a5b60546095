#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Client.h"
#include "store/InvoicedPeriod.h"
#include "store/Rate.h"

namespace tw {

// What the store keeps for billing, beside the journal in the same file (so a backup carries
// it; the calendar synchronisation never sends it): clients, their rates and the tasks' rates,
// the tasks' billable flags and the invoiced periods. Calls join a transaction of the journal
// store (JournalStore::transact). Every failure throws StoreError. The rules (which currency,
// which rounding, which entry is whose) are billing/'s; the journal store itself refuses
// changes to invoiced entries (InvoicedError).
class BillingStore {
 public:
  virtual ~BillingStore() = default;

  // By name, letter case aside.
  virtual std::vector<Client> clients() = 0;
  // Returns it with its id. Fails when a client of that name (letter case aside) is stored.
  virtual Client addClient(Client client) = 0;
  // Fails when the client is gone or its new name is another client's.
  virtual void updateClient(const Client& client) = 0;
  // Removes the client and its rates. Fails while an invoiced period names it.
  virtual void removeClient(std::int64_t id) = 0;

  // Every client's and task's rate, each owner's in order of the day they take effect.
  virtual std::vector<Rate> rates() = 0;
  // Adds the rate or replaces the one of the same owner and day.
  virtual void putRate(const Rate& rate) = 0;
  // Removes every rate of one owner: a client's (empty task uid) or a task's (client 0).
  virtual void removeRates(std::int64_t clientId, std::string_view taskUid) = 0;

  // A task's own billable flag; none: its client's.
  virtual std::optional<bool> taskBillable(std::string_view taskUid) = 0;
  virtual void setTaskBillable(std::string_view taskUid, std::optional<bool> billable) = 0;
  // Every task that has a flag of its own, as (uid, billable).
  virtual std::vector<std::pair<std::string, bool>> taskBillableFlags() = 0;

  // In order of client name, then first day.
  virtual std::vector<InvoicedPeriod> invoiced() = 0;
  // Returns it with its id. Fails when it overlaps a period of the same client.
  virtual InvoicedPeriod addInvoiced(InvoicedPeriod period) = 0;
  virtual void removeInvoiced(std::int64_t id) = 0;
};

}  // namespace tw

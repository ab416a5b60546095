#include "billing/BillBuilder.h"

#include "billing/BillPricing.h"
#include "billing/BillingData.h"
#include "billing/BillingError.h"

namespace tw {

BillBuilder::BillBuilder(JournalStore& journal, BillingStore& billing)
    : journal_(journal), billing_(billing) {}

Bill BillBuilder::build(const BillRequest& request, const Progress& progress) {
  if (request.first > request.last)
    throw BillingError("The first day of the bill is after its last.");
  const BillingData data = BillingData::load(journal_, billing_);
  const Client* client = data.clients().named(request.client);
  if (client == nullptr) throw BillingError("No client is named \"" + request.client + "\".");
  std::vector<JournalEntry> entries;
  journal_.readDays(request.first, request.last, [&](JournalStore::EntryBatch batch) {
    entries.insert(entries.end(), batch.begin(), batch.end());
    if (progress) progress(entries.size());
  });
  return BillPricing::price(data, *client, request, entries, journal_.timer().entryId);
}

}  // namespace tw

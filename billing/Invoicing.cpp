#include "billing/Invoicing.h"

#include <algorithm>

#include "billing/BillingError.h"
#include "billing/ClientOf.h"
#include "core/SystemClock.h"

namespace tw {
namespace {

const SystemClock kClock;

const Client& clientNamed(const ClientOf& clients, std::string_view name) {
  const Client* c = clients.named(name);
  if (c == nullptr) throw BillingError("No client is named \"" + std::string(name) + "\".");
  return *c;
}

}  // namespace

Invoicing::Invoicing(JournalStore& journal, BillingStore& billing)
    : journal_(journal), billing_(billing) {}

InvoicedPeriod Invoicing::mark(std::string_view client, DateTime first, DateTime last) {
  if (first > last) throw BillingError("The first day of the period is after its last.");
  InvoicedPeriod period;
  journal_.transact([&] {
    const ClientOf clients(billing_.clients());
    const Client& c = clientNamed(clients, client);
    if (const std::int64_t timed = journal_.timer().entryId; timed != 0) {
      const std::optional<JournalEntry> e = journal_.entry(timed);
      const DateTime day = e ? e->localStart().date() : DateTime();
      const ClientOf::Answer answer = e ? clients.of(*e) : ClientOf::Answer{};
      if (day >= first && day <= last && answer.client != nullptr &&
          std::find(answer.names.begin(), answer.names.end(), c.name) != answer.names.end())
        throw BillingError("\"" + e->subject + "\" of " + c.name +
                           " is being timed in the period: stop the timer before marking it "
                           "invoiced.");
    }
    period =
        billing_.addInvoiced({0, c.name, first.date(), last.date(), kClock.now().unixSeconds()});
  });
  return period;
}

void Invoicing::undo(std::string_view client, DateTime first, DateTime last) {
  journal_.transact([&] {
    const ClientOf clients(billing_.clients());
    const std::string name = clientNamed(clients, client).name;
    std::string marked;
    for (const InvoicedPeriod& p : billing_.invoiced()) {
      if (clients.named(p.client) == nullptr || clients.named(p.client)->name != name) continue;
      if (p.first == first.date() && p.last == last.date()) {
        billing_.removeInvoiced(p.id);
        return;
      }
      marked += (marked.empty() ? "" : "; ") + InvoicedPeriod::days(p.first, p.last);
    }
    throw BillingError("No period of " + name + " from " + InvoicedPeriod::days(first, first) +
                       " to " + InvoicedPeriod::days(last, last) + " is marked invoiced" +
                       (marked.empty() ? std::string(".") : " (marked: " + marked + ")."));
  });
}

std::vector<InvoicedPeriod> Invoicing::periods() {
  return billing_.invoiced();
}

}  // namespace tw

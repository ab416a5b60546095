#include "billing/BillingData.h"

namespace tw {

BillingData BillingData::load(JournalStore& journal, BillingStore& billing) {
  // Read without a transaction of its own, so that a store that may only be read serves too.
  return BillingData(billing.clients(), billing.rates(), journal.tasks(),
                     billing.taskBillableFlags());
}

BillingData::BillingData(std::vector<Client> clients, std::vector<Rate> rates,
                         const std::vector<Task>& tasks,
                         const std::vector<std::pair<std::string, bool>>& billableFlags)
    : clients_(std::move(clients)), rates_(std::move(rates)) {
  for (const Task& t : tasks) taskBySubject_.emplace(t.subject, t.uid);
  for (const auto& [uid, flag] : billableFlags) billable_.emplace(uid, flag);
}

std::string BillingData::taskUidOf(const JournalEntry& entry) const {
  if (!entry.taskUid.empty()) return entry.taskUid;
  const auto found = taskBySubject_.find(entry.subject);
  return found == taskBySubject_.end() ? std::string() : found->second;
}

bool BillingData::billable(const Client& client, std::string_view taskUid) const {
  const auto found = billable_.find(std::string(taskUid));
  return found == billable_.end() ? client.billable : found->second;
}

}  // namespace tw

#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "billing/ClientOf.h"
#include "billing/RateTable.h"
#include "core/JournalEntry.h"
#include "store/BillingStore.h"
#include "store/JournalStore.h"
#include "store/Task.h"

namespace tw {

// What pricing needs besides the journal, read once: the clients, the rates, the tasks and
// their billable flags. Which task an entry was timed for and whether it is billed are
// decided here.
class BillingData {
 public:
  static BillingData load(JournalStore& journal, BillingStore& billing);
  BillingData(std::vector<Client> clients, std::vector<Rate> rates, const std::vector<Task>& tasks,
              const std::vector<std::pair<std::string, bool>>& billableFlags);

  const ClientOf& clients() const { return clients_; }
  const RateTable& rates() const { return rates_; }
  // The uid of the entry's task: the one it was timed for, else the first task of its subject
  // (a hand-made entry); empty when there is none.
  std::string taskUidOf(const JournalEntry& entry) const;
  // The task's own flag, else its client's.
  bool billable(const Client& client, std::string_view taskUid) const;

 private:
  ClientOf clients_;
  RateTable rates_;
  std::unordered_map<std::string, std::string> taskBySubject_;
  std::unordered_map<std::string, bool> billable_;
};

}  // namespace tw

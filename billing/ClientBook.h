#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DateTime.h"
#include "core/Settings.h"
#include "store/BillingStore.h"
#include "store/Client.h"
#include "store/JournalStore.h"
#include "store/Rate.h"

namespace tw {

// Clients, their rates and rounding, and the tasks' rates and billable flags, as the Clients
// window and `tallyworks client` and `task edit` change them: the checks (a known currency, an
// amount in its digits, an offered increment, unique names) are made here, each change is one
// transaction, and every refusal throws BillingError (StoreError when the store fails).
class ClientBook {
 public:
  // What to change; what is left empty stays as it is.
  struct Change {
    std::optional<std::string> name;
    // ISO 4217 code. Changing it needs a rate in the same change: the new rate then replaces
    // every rate of the client. Refused while an invoiced period names the client.
    std::optional<std::string> currency;
    // The rate per hour as typed ("250", "250.50"), in the client's (new) currency.
    std::optional<std::string> rate;
    // The first day the rate prices; none: it replaces the rate in force from the beginning.
    std::optional<DateTime> rateFrom;
    std::optional<int> roundMinutes;
    std::optional<RoundingRule::Mode> roundMode;
    std::optional<RoundingRule::Place> roundPlace;
    std::optional<bool> billable;
  };

  ClientBook(JournalStore& journal, BillingStore& billing);

  // A new client's terms before any is given: the settings' default currency (empty for
  // none), rounding and billable flag.
  static Client newClient(const Settings& settings);

  std::vector<Client> clients();
  // The client's rates in order of their day. Throws BillingError for an unknown name.
  std::vector<Rate> rates(std::string_view name);
  // The client with the terms of start (newClient) changed; needs a rate, and a currency in
  // the change or in start.
  Client add(const std::string& name, const Change& change, const Client& start = {});
  Client edit(std::string_view name, const Change& change);
  // Removes the client and its rates; refused while an invoiced period names it.
  void remove(std::string_view name);

  // A task's own rate from a day on (none: from the beginning), in the currency of the client
  // its categories name; refused for a task of no client or of two.
  void setTaskRate(std::string_view subject, std::string_view amount, std::optional<DateTime> from);
  // Forgets a task's own rates: its client's apply again.
  void clearTaskRates(std::string_view subject);
  // A task's own billable flag; none: its client's.
  void setTaskBillable(std::string_view subject, std::optional<bool> billable);
  // The task's own billable flag, or its client's when it has none (true for no client).
  bool taskBillable(std::string_view subject);

 private:
  Client named(std::string_view name);
  Task taskNamed(std::string_view subject);

  JournalStore& journal_;
  BillingStore& billing_;
};

}  // namespace tw

#include "billing/ClientBook.h"

#include "billing/BillingError.h"
#include "billing/ClientOf.h"
#include "billing/Currency.h"
#include "billing/RateTable.h"
#include "billing/Rounding.h"
#include "core/CaseFold.h"

namespace tw {
namespace {

// A client's name is a category name: not empty, no comma (which separates categories), no
// blanks around it.
void checkName(const std::string& name) {
  if (name.empty() || name.find(',') != std::string::npos || name.front() == ' ' ||
      name.back() == ' ')
    throw BillingError("\"" + name +
                       "\" cannot name a client: a client is a category name, not empty, "
                       "without commas and blanks around it.");
}

void applyRounding(Client& c, const ClientBook::Change& change) {
  if (change.roundMinutes) {
    if (!Rounding::allowedMinutes(*change.roundMinutes))
      throw BillingError("Rounding is to 1, 5, 6, 10, 15, 30 or 60 minutes (0: none), not " +
                         std::to_string(*change.roundMinutes) + ".");
    c.rounding.minutes = *change.roundMinutes;
  }
  if (change.roundMode) c.rounding.mode = *change.roundMode;
  if (change.roundPlace) c.rounding.place = *change.roundPlace;
  if (change.billable) c.billable = *change.billable;
}

}  // namespace

ClientBook::ClientBook(JournalStore& journal, BillingStore& billing)
    : journal_(journal), billing_(billing) {}

std::vector<Client> ClientBook::clients() {
  return billing_.clients();
}

Client ClientBook::named(std::string_view name) {
  for (Client& c : billing_.clients())
    if (CaseFold::equal(c.name, name)) return c;
  throw BillingError("No client is named \"" + std::string(name) + "\".");
}

Task ClientBook::taskNamed(std::string_view subject) {
  const std::vector<Task> tasks = journal_.tasks();
  for (const Task& t : tasks)
    if (t.subject == subject) return t;
  for (const Task& t : tasks)
    if (CaseFold::equal(t.subject, subject)) return t;
  throw BillingError("No task is named \"" + std::string(subject) + "\".");
}

std::vector<Rate> ClientBook::rates(std::string_view name) {
  return RateTable(billing_.rates()).of(named(name).id, "");
}

Client ClientBook::newClient(const Settings& settings) {
  Client c;
  c.currency = settings.defaultCurrency().value_or("");
  c.rounding.minutes = settings.roundMinutes();
  c.rounding.mode = Rounding::parseMode(settings.roundMode());
  c.rounding.place = Rounding::parsePlace(settings.roundPer());
  c.billable = settings.newClientsBillable();
  return c;
}

Client ClientBook::add(const std::string& name, const Change& change, const Client& start) {
  checkName(name);
  if (!change.rate) throw BillingError("A new client needs a rate.");
  if (!change.currency && start.currency.empty())
    throw BillingError(
        "A new client needs a currency: none is given, and no default currency "
        "for new clients is set (billing.currency in the settings).");
  Client c = start;
  c.name = name;
  c.currency = Currency::of(change.currency.value_or(start.currency)).code();
  applyRounding(c, change);
  const std::int64_t minor = Currency::of(c.currency).parse(*change.rate);
  journal_.transact([&] {
    c = billing_.addClient(c);
    billing_.putRate({c.id, "", change.rateFrom, minor});
  });
  return c;
}

Client ClientBook::edit(std::string_view name, const Change& change) {
  Client c;
  journal_.transact([&] {
    c = named(name);
    if (change.name) checkName(*change.name);
    c.name = change.name.value_or(c.name);
    applyRounding(c, change);
    if (change.currency) {
      if (!change.rate)
        throw BillingError("A new currency needs a new rate: the rates kept are in " + c.currency +
                           ".");
      for (const InvoicedPeriod& p : billing_.invoiced())
        if (CaseFold::equal(p.client, name))
          throw BillingError("The currency of " + c.name + " cannot change: " + p.describe() +
                             " is invoiced.");
      c.currency = Currency::of(*change.currency).code();
      billing_.removeRates(c.id, "");
    }
    if (change.rate)
      billing_.putRate({c.id, "", change.rateFrom, Currency::of(c.currency).parse(*change.rate)});
    billing_.updateClient(c);
  });
  return c;
}

void ClientBook::remove(std::string_view name) {
  journal_.transact([&] { billing_.removeClient(named(name).id); });
}

void ClientBook::setTaskRate(std::string_view subject, std::string_view amount,
                             std::optional<DateTime> from) {
  journal_.transact([&] {
    const Task task = taskNamed(subject);
    const ClientOf clients(billing_.clients());
    const ClientOf::Answer answer = clients.of(task.categories);
    if (answer.kind != ClientOf::Answer::Kind::One)
      throw BillingError(
          "The task \"" + task.subject + "\" names " +
          (answer.kind == ClientOf::Answer::Kind::None ? "no client" : "several clients") +
          " among its categories: its rate has no currency.");
    billing_.putRate({0, task.uid, from, Currency::of(answer.client->currency).parse(amount)});
  });
}

void ClientBook::clearTaskRates(std::string_view subject) {
  journal_.transact([&] { billing_.removeRates(0, taskNamed(subject).uid); });
}

void ClientBook::setTaskBillable(std::string_view subject, std::optional<bool> billable) {
  journal_.transact([&] { billing_.setTaskBillable(taskNamed(subject).uid, billable); });
}

bool ClientBook::taskBillable(std::string_view subject) {
  const Task task = taskNamed(subject);
  if (const std::optional<bool> own = billing_.taskBillable(task.uid)) return *own;
  const ClientOf clients(billing_.clients());
  const ClientOf::Answer answer = clients.of(task.categories);
  return answer.kind == ClientOf::Answer::Kind::One ? answer.client->billable : true;
}

}  // namespace tw

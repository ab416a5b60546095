#include "cli/ClientCommands.h"

#include <CLI/CLI.hpp>

#include "billing/BillLabels.h"
#include "billing/ClientBook.h"
#include "billing/Currency.h"
#include "billing/Rounding.h"
#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/DateArgument.h"
#include "cli/TextArgument.h"
#include "cli/UsageError.h"

namespace tw {
namespace {

bool given(const CLI::App& command, const char* option) {
  return command.get_option(option)->count() > 0;
}

std::optional<bool> yesNo(const std::string& option, const std::string& word) {
  if (word == "yes") return true;
  if (word == "no") return false;
  if (word == "client" && option == "--billable") return std::nullopt;
  throw UsageError(option + " takes yes or no, not \"" + word + "\"");
}

std::string ratesText(const std::vector<Rate>& rates, const Currency& currency) {
  std::string out;
  for (const Rate& r : rates) {
    if (!out.empty()) out += "; ";
    out += currency.plain(r.minorPerHour) + " " + currency.code();
    if (r.from) out += " from " + BillLabels::day(*r.from);
  }
  return out;
}

}  // namespace

ClientCommands::ClientCommands(CLI::App& app, CommandChoice& choice) {
  CLI::App* client = app.add_subcommand("client", "Mark category names as clients, with rates");
  client->require_subcommand(1, 1);
  add_ = client->add_subcommand("add", "Mark a category name as a client, with its rate");
  edit_ = client->add_subcommand("edit", "Change a client's name, rate, currency or rounding");
  list_ = client->add_subcommand("list", "List the clients: name, currency, rates, rounding");
  remove_ = client->add_subcommand("remove", "Forget a client and its rates (not its entries)");
  for (CLI::App* command : {add_, edit_, remove_})
    command->add_option("NAME", name_, "The client: a category name")->required();
  for (CLI::App* command : {add_, edit_}) {
    // A new client takes from the settings what is not given.
    const bool adding = command == add_;
    const auto unless = [adding](const char* setting) {
      return adding ? std::string(" (else the setting ") + setting + ")" : std::string();
    };
    CLI::Option* rate = command->add_option("--rate", rate_, "Price per hour, such as 250.00");
    if (command == add_) rate->required();
    command->add_option("--currency", currency_,
                        "ISO 4217 currency code, such as EUR" + unless("billing.currency"));
    command->add_option(
        "--round", minutes_,
        "Round to 1, 5, 6, 10, 15, 30 or 60 minutes (0: none)" + unless("billing.round_minutes"));
    command->add_option("--round-mode", mode_,
                        "up, nearest or down" + unless("billing.round_mode"));
    command->add_option("--round-per", place_,
                        "entry, day (each task per day) or total (each task over the period)" +
                            unless("billing.round_per"));
    command->add_option("--billable", billable_,
                        "yes or no: whether its tasks are billed" + unless("billing.billable"));
  }
  edit_->add_option("--name", newName_, "A new name (the category name of its entries)");
  edit_->add_option("--from", from_, "The first day the new rate prices (M/d/yyyy or YYYY-MM-DD)");
  choice.bind(*add_, [this](CommandContext& context) { add(context); });
  choice.bind(*edit_, [this](CommandContext& context) { edit(context); });
  choice.bind(*list_, [this](CommandContext& context) { list(context); });
  choice.bind(*remove_, [this](CommandContext& context) { remove(context); });
}

ClientBook::Change ClientCommands::terms(const CLI::App& command) const {
  TextArgument::name("NAME", name_);
  ClientBook::Change c;
  if (given(command, "--rate")) c.rate = rate_;
  if (given(command, "--currency")) c.currency = currency_;
  if (given(command, "--round")) c.roundMinutes = minutes_;
  if (given(command, "--round-mode")) c.roundMode = Rounding::parseMode(mode_);
  if (given(command, "--round-per")) c.roundPlace = Rounding::parsePlace(place_);
  if (given(command, "--billable")) c.billable = yesNo("--billable", billable_).value_or(true);
  if (&command == edit_ && given(command, "--name")) {
    TextArgument::name("--name", newName_);
    c.name = newName_;
  }
  if (&command == edit_ && given(command, "--from")) {
    if (!c.rate) throw UsageError("--from needs --rate: it is the day the new rate takes effect");
    c.rateFrom = DateArgument::day("--from", from_);
  }
  return c;
}

void ClientCommands::add(CommandContext& context) {
  const ClientBook::Change change = terms(*add_);
  const Client start = ClientBook::newClient(context.settings());
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  ClientBook(*store, *context.billing(*store)).add(name_, change, start);
}

void ClientCommands::edit(CommandContext& context) {
  const ClientBook::Change change = terms(*edit_);
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  ClientBook(*store, *context.billing(*store)).edit(name_, change);
}

void ClientCommands::remove(CommandContext& context) {
  TextArgument::name("NAME", name_);
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  ClientBook(*store, *context.billing(*store)).remove(name_);
}

void ClientCommands::list(CommandContext& context) {
  TextOutput output = context.output("");
  if (const auto store = context.openToRead()) {
    const auto billing = context.billing(*store);
    ClientBook book(*store, *billing);
    for (const Client& c : book.clients()) {
      const Currency currency = Currency::of(c.currency);
      output.write(c.name + "\t" + ratesText(book.rates(c.name), currency) + "\trounding " +
                   Rounding::describe(c.rounding) + "\t" +
                   (c.billable ? "billable" : "not billable") + "\n");
    }
  }
  output.finish();
}

void ClientCommands::editTask(CommandContext& context, const std::string& subject,
                              const std::optional<std::string>& rate,
                              const std::optional<std::string>& billable) {
  const std::optional<bool> flag =
      billable ? yesNo("--billable", *billable) : std::optional<bool>();
  const auto store = context.open(StoreOpener::Access::ReadWrite);
  const auto billing = context.billing(*store);
  ClientBook book(*store, *billing);
  store->transact([&] {
    if (rate && *rate == "none")
      book.clearTaskRates(subject);
    else if (rate)
      book.setTaskRate(subject, *rate, std::nullopt);
    if (billable) book.setTaskBillable(subject, flag);
  });
}

}  // namespace tw

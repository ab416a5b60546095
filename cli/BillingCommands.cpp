#include "cli/BillingCommands.h"

#include <CLI/CLI.hpp>

#include "billing/BillBuilder.h"
#include "billing/BillCsv.h"
#include "billing/BillHtml.h"
#include "billing/BillText.h"
#include "billing/BillingError.h"
#include "billing/Invoicing.h"
#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/DateArgument.h"
#include "cli/TextArgument.h"
#include "cli/UsageError.h"
#include "core/BillingTerms.h"

namespace tw {
namespace {

std::string written(const Bill& bill, const std::string& format) {
  if (format == "csv") return BillCsv::write(bill);
  if (format == "html") return BillHtml::write(bill, MoneyFormat::fromEnvironment());
  return BillText::write(bill, MoneyFormat::fromEnvironment());
}

}  // namespace

BillingCommands::BillingCommands(CLI::App& app, CommandChoice& choice)
    : bill_(app.add_subcommand("bill", "Write a client's bill for a period")),
      invoiced_(app.add_subcommand("invoiced",
                                   "List the periods marked invoiced, or unmark one with --undo")) {
  for (CLI::App* command : {bill_, invoiced_}) {
    command->add_option("--client", client_, "The client (a category name, letter case aside)");
    command->add_option("--from", from_, "First day, M/d/yyyy or YYYY-MM-DD");
    command->add_option("--to", to_, "Last day, M/d/yyyy or YYYY-MM-DD");
  }
  for (const char* option : {"--client", "--from", "--to"}) bill_->get_option(option)->required();
  const auto& lines = BillingTerms::billLines();
  bill_
      ->add_option(
          "--per", per_,
          "One line per task, day or entry (with its notes); without it, the setting billing.lines")
      ->check(CLI::IsMember(std::vector<std::string>(lines.begin(), lines.end())));
  bill_->add_option("--format", format_, "text, csv or html (a printable page)")
      ->check(CLI::IsMember({"text", "csv", "html"}));
  bill_->add_option("--output", output_,
                    "Write to this file (whole or not at all) instead of standard output");
  bill_->add_flag("--mark-invoiced", mark_,
                  "Then lock the client's entries of the period: they may not change until "
                  "invoiced --undo");
  invoiced_->add_flag("--undo", undo_, "Unmark the client's period of exactly these days");
  choice.bind(*bill_, [this](CommandContext& context) { bill(context); });
  choice.bind(*invoiced_, [this](CommandContext& context) { invoiced(context); });
}

void BillingCommands::bill(CommandContext& context) {
  TextArgument::name("--client", client_);
  const auto [first, last] = DateArgument::dayRange(&from_, &to_);
  const std::string per = per_.empty() ? context.settings().billLines() : per_;
  const BillRequest request{client_, *first, *last, BillRequest::parsePer(per)};
  TextOutput output = context.output(output_);
  const auto store = mark_ ? context.open(StoreOpener::Access::ReadWrite) : context.openToRead();
  if (!store) throw BillingError("No client is named \"" + client_ + "\".");
  const auto billing = context.billing(*store);
  const Bill bill = BillBuilder(*store, *billing).build(request);
  output.write(written(bill, format_));
  output.finish();
  if (mark_) Invoicing(*store, *billing).mark(client_, *first, *last);
}

void BillingCommands::invoiced(CommandContext& context) {
  const bool period = invoiced_->get_option("--client")->count() > 0;
  if (undo_ != period || (undo_ && (from_.empty() || to_.empty())))
    throw UsageError("invoiced --undo needs --client, --from and --to; invoiced alone lists");
  if (undo_) {
    const auto [first, last] = DateArgument::dayRange(&from_, &to_);
    const auto store = context.open(StoreOpener::Access::ReadWrite);
    Invoicing(*store, *context.billing(*store)).undo(client_, *first, *last);
    return;
  }
  TextOutput output = context.output("");
  if (const auto store = context.openToRead())
    for (const InvoicedPeriod& p : Invoicing(*store, *context.billing(*store)).periods())
      output.write(p.describe() + "\n");
  output.finish();
}

}  // namespace tw

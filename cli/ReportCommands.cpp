#include "cli/ReportCommands.h"

#include <CLI/CLI.hpp>

#include "cli/CommandChoice.h"
#include "cli/CommandContext.h"
#include "cli/DateArgument.h"
#include "report/CsvReport.h"
#include "report/ReportRequest.h"
#include "report/ReportRun.h"
#include "report/TextReport.h"

namespace tw {

ReportCommands::ReportCommands(CLI::App& app, CommandChoice& choice)
    : report_(app.add_subcommand("report",
                                 "Write the text report (the whole journal when no "
                                 "days are given)")),
      csv_(app.add_subcommand("csv", "Write the CSV table of hours per category and day")) {
  for (CLI::App* command : {report_, csv_}) {
    CLI::Option* first = command->add_option("--from", from_, "First day, M/d/yyyy or YYYY-MM-DD");
    CLI::Option* last = command->add_option("--to", to_, "Last day, M/d/yyyy or YYYY-MM-DD");
    command->add_option("--category", category_,
                        "Only entries whose categories are this text, letter case aside (no "
                        "wildcards)");
    command->add_option("--output", output_,
                        "Write to this file (whole or not at all) instead of standard output; - "
                        "for standard output");
    if (command == csv_) {
      first->required();
      last->required();
    }
  }
  choice.bind(*report_, [this](CommandContext& context) {
    write(context, *report_,
          [](JournalStore* store, const ReportRequest& wanted, const ReportSink& out) {
            if (store) {
              ReportRun::writeText(*store, wanted, out);
              return;
            }
            TextReport report(wanted, out);
            report.finish();
          });
  });
  choice.bind(*csv_, [this](CommandContext& context) {
    write(context, *csv_,
          [](JournalStore* store, const ReportRequest& wanted, const ReportSink& out) {
            if (store) {
              ReportRun::writeCsv(*store, wanted, out);
              return;
            }
            out(CsvReport(wanted).finish());
          });
  });
}

ReportRequest ReportCommands::request(const CLI::App& command) const {
  const auto [first, last] =
      DateArgument::dayRange(command.get_option("--from")->count() > 0 ? &from_ : nullptr,
                             command.get_option("--to")->count() > 0 ? &to_ : nullptr);
  return ReportRequest::ofDays(category_, first, last);
}

void ReportCommands::write(CommandContext& context, const CLI::App& command,
                           const Compose& compose) const {
  const ReportRequest wanted = request(command);
  TextOutput output = context.output(output_);
  const auto store = context.openToRead();
  compose(store.get(), wanted, [&](std::string_view piece) { output.write(piece); });
  output.finish();
}

}  // namespace tw

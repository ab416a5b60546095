#include "billing/BillHtml.h"

#include "billing/BillLabels.h"
#include "core/MarkupText.h"

namespace tw {
namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;font-size:10pt;margin:2em}"
    "h1{font-size:14pt;margin:0 0 .2em}p.terms{color:#555;margin:0 0 1em}"
    "table{border-collapse:collapse;width:100%}th,td{padding:.2em .5em;vertical-align:top}"
    "th{text-align:left;border-bottom:1px solid #000}td.n,th.n{text-align:right;"
    "white-space:nowrap}tr.section td{font-weight:bold;padding-top:.6em}"
    "tr.subtotal td{border-top:1px solid #aaa}tr.total td{border-top:2px solid #000;"
    "font-weight:bold}td.indent{padding-left:1.5em}"
    "@media print{body{margin:0}}";

class Rows {
 public:
  Rows(const MoneyFormat& money, const Currency& currency) : money_(money), currency_(currency) {}

  void add(const char* kind, const std::string& label, std::int64_t seconds,
           std::optional<std::int64_t> rate, std::int64_t amount) {
    html_ += std::string("<tr class=\"") + kind + "\"><td" +
             (std::string(kind) == "line" ? " class=\"indent\"" : "") + ">" +
             MarkupText::escaped(BillLabels::oneLine(label)) + "</td>" +
             number(money_.decimalHours(seconds)) + number(MoneyFormat::hoursMinutes(seconds)) +
             number(rate ? money_.amount(*rate, currency_) : "") +
             number(money_.amount(amount, currency_)) + "</tr>\n";
  }
  void heading(const std::string& label) {
    html_ += "<tr class=\"section\"><td colspan=\"5\">" +
             MarkupText::escaped(BillLabels::oneLine(label)) + "</td></tr>\n";
  }
  const std::string& html() const { return html_; }

 private:
  static std::string number(const std::string& text) {
    return "<td class=\"n\">" + MarkupText::escaped(text) + "</td>";
  }

  const MoneyFormat& money_;
  const Currency& currency_;
  std::string html_;
};

void addSection(Rows& rows, const Bill::Section& section) {
  if (section.lines.size() == 1 && BillLabels::line(section.lines.front()).empty()) {
    const Bill::Line& only = section.lines.front();
    rows.add("task", section.subject, only.billedSeconds, only.rate, only.amount);
    return;
  }
  rows.heading(section.subject);
  for (const Bill::Line& line : section.lines)
    rows.add("line", BillLabels::line(line), line.billedSeconds, line.rate, line.amount);
  rows.add("subtotal", "Subtotal", section.billedSeconds, std::nullopt, section.amount);
}

std::string list(const std::string& heading, const std::vector<std::string>& items) {
  if (items.empty()) return {};
  std::string out = "<h2>" + MarkupText::escaped(heading) + "</h2>\n<ul>\n";
  for (const std::string& item : items)
    out += "<li>" + MarkupText::escaped(BillLabels::oneLine(item)) + "</li>\n";
  return out + "</ul>\n";
}

}  // namespace

std::string BillHtml::write(const Bill& bill, const MoneyFormat& money) {
  const Currency currency = Currency::of(bill.client.currency);
  const std::string title = MarkupText::escaped(BillLabels::oneLine(BillLabels::title(bill)));
  Rows rows(money, currency);
  for (const Bill::Section& section : bill.sections) addSection(rows, section);
  rows.add("total", "Total", bill.billedSeconds, std::nullopt, bill.amount);
  std::vector<std::string> unbilled;
  unbilled.reserve(bill.unbilled.size());
  for (const Bill::Unbilled& u : bill.unbilled)
    unbilled.push_back(u.subject + ": " + MoneyFormat::hoursMinutes(u.seconds));
  std::vector<std::string> problems;
  problems.reserve(bill.problems.size());
  for (const Bill::Problem& p : bill.problems) problems.push_back(p.text);
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Bill: " + title +
         "</title><style>" + kStyle + "</style></head>\n<body>\n<h1>" + title +
         "</h1>\n<p class=\"terms\">" + MarkupText::escaped(BillLabels::terms(bill)) +
         "</p>\n<table width=\"100%\">\n<tr><th>Task</th><th class=\"n\">Hours</th><th "
         "class=\"n\">h:mm</th>"
         "<th class=\"n\">Rate</th><th class=\"n\">Amount</th></tr>\n" +
         rows.html() + "</table>\n<p>Timed " + MoneyFormat::hoursMinutes(bill.seconds) +
         ", billed " + MoneyFormat::hoursMinutes(bill.billedSeconds) + " (rounding " +
         (bill.roundingSeconds() > 0 ? "+" : "") +
         MoneyFormat::hoursMinutes(bill.roundingSeconds()) + ")</p>\n" +
         list("Not billed", unbilled) + list("Problems", problems) + "</body></html>\n";
}

}  // namespace tw

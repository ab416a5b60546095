#include "billing/BillText.h"

#include <algorithm>
#include <array>
#include <vector>

#include "billing/BillLabels.h"

namespace tw {
namespace {

using Row = std::array<std::string, 5>;

// Characters as a terminal counts them: UTF-8 continuation bytes take no column.
std::size_t width(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string padded(const std::string& text, std::size_t columns, bool right) {
  const std::string fill(columns > width(text) ? columns - width(text) : 0, ' ');
  return right ? fill + text : text + fill;
}

class Table {
 public:
  explicit Table(const MoneyFormat& money, const Currency& currency)
      : money_(money), currency_(currency) {}

  void add(const std::string& label, std::int64_t seconds, std::optional<std::int64_t> rate,
           std::int64_t amount) {
    rows_.push_back({label, money_.decimalHours(seconds), MoneyFormat::hoursMinutes(seconds),
                     rate ? money_.amount(*rate, currency_) : "",
                     money_.amount(amount, currency_)});
  }
  void text(const std::string& label) { rows_.push_back({label, "", "", "", ""}); }
  void row(Row r) { rows_.push_back(std::move(r)); }

  std::string write() const {
    std::array<std::size_t, 5> widths{};
    for (const Row& r : rows_)
      for (std::size_t c = 0; c < r.size(); ++c) widths[c] = std::max(widths[c], width(r[c]));
    std::string out;
    for (const Row& r : rows_) {
      std::string line = padded(r[0], widths[0], false);
      for (std::size_t c = 1; c < r.size(); ++c) line += "  " + padded(r[c], widths[c], true);
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out += line + "\n";
    }
    return out;
  }

 private:
  const MoneyFormat& money_;
  const Currency& currency_;
  std::vector<Row> rows_;
};

void addSection(Table& table, const Bill::Section& section) {
  if (section.lines.size() == 1 && BillLabels::line(section.lines.front()).empty()) {
    const Bill::Line& only = section.lines.front();
    table.add(BillLabels::oneLine(section.subject), only.billedSeconds, only.rate, only.amount);
    return;
  }
  table.text(BillLabels::oneLine(section.subject));
  for (const Bill::Line& line : section.lines)
    table.add("  " + BillLabels::line(line), line.billedSeconds, line.rate, line.amount);
  table.add("  subtotal", section.billedSeconds, std::nullopt, section.amount);
}

std::string signedDuration(std::int64_t seconds) {
  return (seconds > 0 ? "+" : "") + MoneyFormat::hoursMinutes(seconds);
}

}  // namespace

std::string BillText::write(const Bill& bill, const MoneyFormat& money) {
  const Currency currency = Currency::of(bill.client.currency);
  std::string out = "Bill: " + BillLabels::oneLine(BillLabels::title(bill)) + "\n" +
                    BillLabels::terms(bill) + "\n\n";
  Table table(money, currency);
  table.row({"Task", "Hours", "h:mm", "Rate", "Amount"});
  for (const Bill::Section& section : bill.sections) addSection(table, section);
  table.add("Total", bill.billedSeconds, std::nullopt, bill.amount);
  out += table.write();
  out += "\nTimed " + MoneyFormat::hoursMinutes(bill.seconds) + ", billed " +
         MoneyFormat::hoursMinutes(bill.billedSeconds) + " (rounding " +
         signedDuration(bill.roundingSeconds()) + ")\n";
  if (!bill.unbilled.empty()) {
    out += "\nNot billed (" + MoneyFormat::hoursMinutes(bill.unbilledSeconds) + "):\n";
    for (const Bill::Unbilled& u : bill.unbilled)
      out += "  " + BillLabels::oneLine(u.subject) + "  " + MoneyFormat::hoursMinutes(u.seconds) +
             "\n";
  }
  if (!bill.problems.empty()) {
    out += "\nProblems:\n";
    for (const Bill::Problem& p : bill.problems) out += "  " + BillLabels::oneLine(p.text) + "\n";
  }
  return out;
}

}  // namespace tw

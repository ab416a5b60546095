#include "billing/BillCsv.h"

#include <initializer_list>
#include <string_view>

#include "billing/BillLabels.h"
#include "billing/Currency.h"
#include "billing/MoneyFormat.h"
#include "core/DateText.h"

namespace tw {
namespace {

// A field as RFC 4180 quotes it; a text a spreadsheet would run as a formula gets a leading
// apostrophe.
std::string field(const std::string& text) {
  const bool formula =
      !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
  std::string value;
  if (formula) value += '\'';
  value += text;
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string row(std::initializer_list<std::string> fields) {
  std::string out;
  for (const std::string& f : fields) {
    if (!out.empty()) out += ',';
    out += f;
  }
  return out + "\r\n";
}

// Decimal hours with two decimals and a point.
std::string hours(std::int64_t seconds) {
  return MoneyFormat::plain().decimalHours(seconds);
}

std::string kindOf(const Bill::Line& line) {
  return line.kind == Bill::Line::Kind::Rounding ? "rounding" : "work";
}

}  // namespace

std::string BillCsv::write(const Bill& bill) {
  const Currency currency = Currency::of(bill.client.currency);
  const std::string client = field(bill.client.name);
  std::string out = row({"Client", "Task", "Kind", "Day", "Start", "Notes", "Seconds",
                         "Billed seconds", "Billed hours", "Rate", "Amount", "Currency"});
  for (const Bill::Section& s : bill.sections)
    for (const Bill::Line& l : s.lines)
      out += row({client, field(s.subject), kindOf(l),
                  l.day        ? BillLabels::day(*l.day)
                  : l.rateFrom ? BillLabels::day(*l.rateFrom)
                               : "",
                  l.start ? DateText::iso(*l.start) : "", field(l.notes), std::to_string(l.seconds),
                  std::to_string(l.billedSeconds), hours(l.billedSeconds), currency.plain(l.rate),
                  currency.plain(l.amount), currency.code()});
  for (const Bill::Unbilled& u : bill.unbilled)
    out += row({client, field(u.subject), "not billed", "", "", "", std::to_string(u.seconds), "0",
                hours(0), "", "", currency.code()});
  out += row({client, "", "total", "", "", "", std::to_string(bill.seconds),
              std::to_string(bill.billedSeconds), hours(bill.billedSeconds), "",
              currency.plain(bill.amount), currency.code()});
  return out;
}

}  // namespace tw

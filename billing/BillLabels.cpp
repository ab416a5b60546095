#include "billing/BillLabels.h"

#include "billing/Rounding.h"
#include "core/DateText.h"
#include "store/InvoicedPeriod.h"

namespace tw {
namespace {

std::string perWords(BillRequest::Per per) {
  switch (per) {
    case BillRequest::Per::Task:
      return "lines per task";
    case BillRequest::Per::Day:
      return "lines per day";
    case BillRequest::Per::Entry:
      return "lines per entry";
  }
  return {};
}

}  // namespace

std::string BillLabels::title(const Bill& bill) {
  return bill.client.name + ", " + InvoicedPeriod::days(bill.request.first, bill.request.last);
}

std::string BillLabels::terms(const Bill& bill) {
  return bill.client.currency + "; rounding " + Rounding::describe(bill.client.rounding) + "; " +
         perWords(bill.request.per);
}

std::string BillLabels::oneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return text;
}

std::string BillLabels::day(DateTime day) {
  return DateText::iso(day).substr(0, 10);
}

std::string BillLabels::line(const Bill::Line& line) {
  if (line.kind == Bill::Line::Kind::Rounding)
    return line.day ? "rounding " + day(*line.day) : "rounding";
  if (line.start) {
    std::string text = DateText::iso(*line.start).substr(0, 16);
    text[10] = ' ';
    return line.notes.empty() ? text : text + " " + oneLine(line.notes);
  }
  if (line.day) return day(*line.day);
  return line.rateFrom ? "from " + day(*line.rateFrom) : "";
}

}  // namespace tw

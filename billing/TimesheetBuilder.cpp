#include "billing/TimesheetBuilder.h"

#include <map>

#include "billing/BillPricing.h"
#include "core/Markers.h"

namespace tw {
namespace {

using Rows = std::map<std::pair<std::string, bool>, Timesheet::Row>;

int dayIndex(DateTime monday, DateTime day) {
  return static_cast<int>((day.seconds() - monday.seconds()) / 86400);
}

Timesheet::Row& rowOf(Rows& rows, const std::string& subject, bool billable) {
  Timesheet::Row& row = rows[{subject, billable}];
  row.subject = subject;
  row.billable = billable;
  return row;
}

// The client's billed time from its bill for the week, day by day.
void addBilled(Rows& rows, const Bill& bill, DateTime monday) {
  for (const Bill::Section& section : bill.sections) {
    Timesheet::Row& row = rowOf(rows, section.subject, true);
    for (const Bill::Line& line : section.lines) {
      if (line.kind == Bill::Line::Kind::Rounding && !line.day)
        row.rounding += line.billedSeconds;
      else
        row.days.at(static_cast<std::size_t>(dayIndex(monday, *line.day))) += line.billedSeconds;
    }
  }
}

void addGroup(Timesheet& sheet, Timesheet::Group group, const Rows& rows) {
  if (rows.empty()) return;
  for (const auto& [key, row] : rows) {
    group.rows.push_back(row);
    Timesheet::Row& r = group.rows.back();
    for (std::size_t d = 0; d < 7; ++d) {
      r.total += r.days[d];
      group.days[d] += r.days[d];
      sheet.days[d] += r.days[d];
    }
    r.total += r.rounding;
    group.rounding += r.rounding;
    group.total += r.total;
    if (r.billable && group.kind == Timesheet::Group::Kind::Client) group.billed += r.total;
  }
  sheet.total += group.total;
  sheet.groups.push_back(std::move(group));
}

}  // namespace

TimesheetBuilder::TimesheetBuilder(JournalStore& journal, BillingStore& billing)
    : journal_(journal), billing_(billing) {}

Timesheet TimesheetBuilder::week(DateTime anyDay) {
  const DateTime monday = anyDay.date().addDays(-((anyDay.dayOfWeek() + 6) % 7));
  const BillingData data = BillingData::load(journal_, billing_);
  std::vector<JournalEntry> entries;
  journal_.readDays(monday, monday.addDays(6), [&](JournalStore::EntryBatch batch) {
    entries.insert(entries.end(), batch.begin(), batch.end());
  });
  return make(data, monday, entries);
}

Timesheet TimesheetBuilder::make(const BillingData& data, DateTime monday,
                                 std::span<const JournalEntry> entries) {
  Timesheet sheet;
  sheet.monday = monday;
  const std::vector<Client>& clients = data.clients().clients();
  std::vector<Rows> byClient(clients.size());
  Rows none;
  Rows several;
  for (const JournalEntry& e : entries) {
    if (!Markers::countsAsWork(e)) continue;
    const ClientOf::Answer answer = data.clients().of(e);
    const std::size_t day = static_cast<std::size_t>(dayIndex(monday, e.localStart().date()));
    if (answer.kind == ClientOf::Answer::Kind::None)
      rowOf(none, e.subject, false).days.at(day) += e.seconds;
    else if (answer.kind == ClientOf::Answer::Kind::Several)
      rowOf(several, e.subject, false).days.at(day) += e.seconds;
    else if (!data.billable(*answer.client, data.taskUidOf(e)))
      rowOf(byClient[static_cast<std::size_t>(answer.client - clients.data())], e.subject, false)
          .days.at(day) += e.seconds;
  }
  const BillRequest week{"", monday, monday.addDays(6), BillRequest::Per::Day};
  for (std::size_t c = 0; c < clients.size(); ++c) {
    addBilled(byClient[c], BillPricing::price(data, clients[c], week, entries, 0), monday);
    addGroup(sheet, {Timesheet::Group::Kind::Client, clients[c].name, {}, {}, 0, 0, 0},
             byClient[c]);
  }
  addGroup(sheet, {Timesheet::Group::Kind::NoClient, "", {}, {}, 0, 0, 0}, none);
  addGroup(sheet, {Timesheet::Group::Kind::SeveralClients, "", {}, {}, 0, 0, 0}, several);
  return sheet;
}

}  // namespace tw

#include "billing/BillPricing.h"

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>

#include "billing/Overlaps.h"
#include "billing/Rounding.h"
#include "core/DateText.h"
#include "core/Markers.h"

namespace tw {
namespace {

struct Item {
  const JournalEntry* entry = nullptr;
  DateTime day;
  std::int64_t rate = 0;
};

// A line's or a rounding group's place in a section: day (or none), rate, entry (or none).
using Key = std::tuple<std::int64_t, std::int64_t, std::int64_t>;
constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();

// 0 for an entry, 1 for a day, 2 for the whole period: a rounding nests in a line when it
// rounds no more than the line holds.
int reach(BillRequest::Per per) {
  return per == BillRequest::Per::Entry ? 0 : per == BillRequest::Per::Day ? 1 : 2;
}

int reach(RoundingRule::Place place) {
  return static_cast<int>(place);
}

Key keyOf(const Item& item, std::size_t index, int reachOf) {
  return {reachOf < 2 ? item.day.seconds() : kNone, item.rate,
          reachOf == 0 ? static_cast<std::int64_t>(index) : kNone};
}

std::string when(DateTime t) {
  std::string iso = DateText::iso(t).substr(0, 16);
  iso[10] = ' ';
  return iso;
}

std::string quoted(const JournalEntry& e) {
  return when(e.localStart()) + " \"" + e.subject + "\"";
}

Bill::Line workLine(const Item& item, BillRequest::Per per) {
  Bill::Line line;
  line.rate = item.rate;
  if (per != BillRequest::Per::Task) line.day = item.day;
  if (per == BillRequest::Per::Entry) {
    line.start = item.entry->localStart();
    line.notes = item.entry->body;
  }
  return line;
}

struct Group {
  std::int64_t seconds = 0;
  std::size_t lastLine = 0;
  DateTime day;
  std::int64_t rate = 0;
};

Bill::Section priceSection(const std::string& subject, const std::vector<Item>& items,
                           const RoundingRule& rule, BillRequest::Per per) {
  std::map<Key, std::size_t> lineOf;
  std::vector<Bill::Line> lines;
  std::vector<DateTime> firstDays;
  std::map<Key, Group> groups;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto [found, fresh] = lineOf.try_emplace(keyOf(items[i], i, reach(per)), lines.size());
    if (fresh) {
      lines.push_back(workLine(items[i], per));
      firstDays.push_back(items[i].day);
    }
    lines[found->second].seconds += items[i].entry->seconds;
    Group& g = groups[keyOf(items[i], i, reach(rule.place))];
    g = {g.seconds + items[i].entry->seconds, found->second, items[i].day, items[i].rate};
  }
  const bool nests = reach(rule.place) <= reach(per);
  std::vector<std::vector<Bill::Line>> after(lines.size());
  for (Bill::Line& line : lines) line.billedSeconds = nests ? 0 : line.seconds;
  for (const auto& [key, g] : groups) {
    const std::int64_t billed = Rounding::apply(g.seconds, rule);
    if (nests) {
      lines[g.lastLine].billedSeconds += billed;
    } else if (billed != g.seconds) {
      Bill::Line r{Bill::Line::Kind::Rounding, {}, {}, {}, {}, 0, billed - g.seconds, g.rate, 0};
      if (rule.place == RoundingRule::Place::TaskDay) r.day = g.day;
      after[g.lastLine].push_back(r);
    }
  }
  Bill::Section section{subject, {}, 0, 0, 0};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (per == BillRequest::Per::Task && lines.size() > 1) lines[i].rateFrom = firstDays[i];
    section.lines.push_back(lines[i]);
    section.lines.insert(section.lines.end(), after[i].begin(), after[i].end());
  }
  for (Bill::Line& line : section.lines) {
    line.amount = BillPricing::amount(line.billedSeconds, line.rate);
    section.seconds += line.seconds;
    section.billedSeconds += line.billedSeconds;
    section.amount += line.amount;
  }
  return section;
}

// The client's share of the period: billed items per subject, unbilled seconds per subject,
// and the problems found on the way.
class Sorting {
 public:
  Sorting(const BillingData& data, const Client& client, Bill& bill)
      : data_(data), client_(client), bill_(bill) {}

  // True when the entry is the client's (alone or with others).
  bool take(const JournalEntry& e, std::int64_t timedEntry) {
    if (!Markers::countsAsWork(e)) return false;
    const ClientOf::Answer answer = data_.clients().of(e);
    if (answer.client == nullptr || !names(answer)) return false;
    const DateTime day = e.localStart().date();
    if (answer.kind == ClientOf::Answer::Kind::Several) {
      problem(Bill::Problem::Kind::SeveralClients, day,
              quoted(e) + " names several clients (" + joined(answer.names) +
                  ") and is billed to none");
      return true;
    }
    if (e.id != 0 && e.id == timedEntry)
      problem(Bill::Problem::Kind::OpenTimer, day,
              quoted(e) + " is being timed: its time is still growing");
    const std::string taskUid = data_.taskUidOf(e);
    if (!data_.billable(client_, taskUid)) {
      unbilled_[e.subject] += e.seconds;
      return true;
    }
    const std::optional<std::int64_t> rate = data_.rates().on(day, client_.id, taskUid);
    if (!rate)
      problem(Bill::Problem::Kind::NoRate, day,
              quoted(e) + " falls on a day no rate is in force for: priced at 0");
    sections_[e.subject].push_back({&e, day, rate.value_or(0)});
    return true;
  }

  void overlap(const JournalEntry& a, const JournalEntry& b) {
    problem(Bill::Problem::Kind::Overlap, b.localStart().date(),
            quoted(b) + " overlaps " + quoted(a));
  }

  void finish(BillRequest::Per per) {
    for (const auto& [subject, items] : sections_) {
      bill_.sections.push_back(priceSection(subject, items, client_.rounding, per));
      bill_.seconds += bill_.sections.back().seconds;
      bill_.billedSeconds += bill_.sections.back().billedSeconds;
      bill_.amount += bill_.sections.back().amount;
    }
    for (const auto& [subject, seconds] : unbilled_) {
      bill_.unbilled.push_back({subject, seconds});
      bill_.unbilledSeconds += seconds;
    }
    std::stable_sort(bill_.problems.begin(), bill_.problems.end(),
                     [](const Bill::Problem& a, const Bill::Problem& b) { return a.day < b.day; });
  }

 private:
  bool names(const ClientOf::Answer& answer) const {
    return std::find(answer.names.begin(), answer.names.end(), client_.name) != answer.names.end();
  }

  static std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
  }

  void problem(Bill::Problem::Kind kind, DateTime day, std::string text) {
    bill_.problems.push_back({kind, day, std::move(text)});
  }

  const BillingData& data_;
  const Client& client_;
  Bill& bill_;
  std::map<std::string, std::vector<Item>> sections_;
  std::map<std::string, std::int64_t> unbilled_;
};

}  // namespace

std::int64_t BillPricing::amount(std::int64_t billedSeconds, std::int64_t ratePerHour) {
  const __int128 product = static_cast<__int128>(billedSeconds) * ratePerHour;
  const __int128 half = product >= 0 ? 1800 : -1800;
  return static_cast<std::int64_t>((product + half) / 3600);
}

Bill BillPricing::price(const BillingData& data, const Client& client, const BillRequest& request,
                        std::span<const JournalEntry> entries, std::int64_t timedEntry) {
  Bill bill;
  bill.request = request;
  bill.client = client;
  Sorting sorting(data, client, bill);
  std::vector<bool> mine(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) mine[i] = sorting.take(entries[i], timedEntry);
  for (const auto& [a, b] : Overlaps::find(entries))
    if (mine[a] || mine[b]) sorting.overlap(entries[a], entries[b]);
  sorting.finish(request.per);
  return bill;
}

}  // namespace tw

#pragma once

// A literal, unindexed rendering of the report rules: insertion walk, linear metric lookups,
// every entry tested against every day. The optimised Report must produce the same bytes.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/DateText.h"
#include "model/JournalEntry.h"
#include "model/NumberText.h"
#include "model/TextLike.h"
#include "model/Utilities.h"

namespace tw::test {

struct RefMetric {
  std::string name;
  double value;
};

inline RefMetric* refFind(std::vector<RefMetric>& list, const std::string& name) {
  for (RefMetric& m : list) {
    if (textLike(m.name, name)) return &m;
  }
  return nullptr;
}

inline void refAdd(std::vector<RefMetric>& list, const std::string& name, double value) {
  if (RefMetric* m = refFind(list, name)) {
    m->value += value;
  } else {
    list.push_back({name, value});
  }
}

class ReferenceReport {
 public:
  std::string Category, startdate, enddate;

  void Add(std::shared_ptr<JournalEntry> e) {
    auto it = entries_.begin();
    while (it != entries_.end() && !((*it)->start > e->start)) ++it;
    entries_.insert(it, std::move(e));
  }

  std::string Generate() {
    std::string sep = !startdate.empty() ? (!enddate.empty() ? " through " : " ->")
                                         : (!enddate.empty() ? "<- " : "ALL");
    std::string text = "JOURNAL REPORT\r\nRange: " + startdate + sep + enddate +
                       ", Category: " + (Category.empty() ? "ALL" : Category) + "\r\n";
    if (startdate.empty()) startdate = "1/1/1900";
    if (enddate.empty()) enddate = "1/1/2999";
    std::string lastDay;
    std::vector<RefMetric> totals;
    for (const auto& e : entries_) {
      const std::string day = DateText::longDate(e->start);
      const bool taken = DateText::parse(startdate).date() <= e->start &&
                         e->start < DateText::parse(enddate).date().addDays(1) &&
                         (Category.empty() || textLike(Category, e->Category));
      if (!taken) continue;
      if (day != lastDay) text += "\r\n[" + day + "]\r\n\r\n";
      lastDay = day;
      if (Utilities::isEventMarker(e->entrytype)) {
        text += "  " + e->subject + ": " + DateText::generalDate(e->start) + "\r\n\r\n";
        continue;
      }
      text += "    " + e->Category + ": " + e->friendlyDuration() + " (" + e->entrytype + ")\r\n";
      text += "    " + DateText::longTime(e->start);
      if (e->duration > 0) {
        const auto end = (e->start.secondsOfDay() + std::int64_t{e->duration} * 60) % 86400;
        text += " through " + DateText::longTime(DateTime::fromSeconds(end));
      }
      text += "\r\n    " + e->subject + "\r\n\r\n";
      refAdd(totals, e->Category, e->duration);
    }
    text += "\r\nTOTALS:\r\n-------\r\n";
    for (const RefMetric& m : totals) {
      if (Utilities::isEventMarker(m.name)) continue;
      JournalEntry t;
      t.duration = static_cast<std::int32_t>(std::nearbyint(m.value));
      text += m.name + ": " + t.friendlyDuration() + "\r\n";
    }
    return text;
  }

  std::string CSV() const {
    const DateTime last = DateText::parse(enddate);
    const DateTime first = DateText::parse(startdate);
    std::vector<std::pair<DateTime, std::vector<RefMetric>>> days;
    std::vector<std::string> categories;
    for (DateTime d = first; d <= last; d = d.addDays(1)) {
      std::vector<RefMetric> m;
      for (const auto& e : entries_) {
        const bool onDay = DateText::parse(DateText::shortDate(e->start)) == d;
        const bool inCategory = Category.empty() || textLike(Category, e->Category);
        if (onDay && inCategory) refAdd(m, e->Category, e->duration);
      }
      for (const RefMetric& x : m) {
        bool known = false;
        for (const std::string& c : categories) known = known || textLike(x.name, c);
        if (!known) categories.push_back(x.name);
      }
      days.emplace_back(d, std::move(m));
    }
    std::string text = "category";
    for (const auto& day : days) text += "," + DateText::shortDate(day.first);
    text += "\r\n";
    for (const std::string& c : categories) {
      if (Utilities::isEventMarker(c)) continue;
      const bool quote = c.find_first_of(",\"\r\n") != std::string::npos;
      std::string field;
      for (char ch : c) field += ch == '"' ? std::string("\"\"") : std::string(1, ch);
      text += quote ? "\"" + field + "\"" : c;
      for (auto& day : days) {
        JournalEntry cell;
        if (RefMetric* m = refFind(day.second, c)) {
          cell.duration = static_cast<std::int32_t>(std::nearbyint(m->value));
        }
        text += "," + NumberText::general(cell.decimalDuration());
      }
      text += "\r\n";
    }
    return text;
  }

 private:
  std::vector<std::shared_ptr<JournalEntry>> entries_;
};

}  // namespace tw::test

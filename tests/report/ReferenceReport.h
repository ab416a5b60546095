#pragma once

// A literal, unindexed rendering of the report rules over every entry of a journal: insertion
// walk, linear lookups of names, every entry tested against every day. The reports made from a
// store's range must give the same bytes.

#include <cstdlib>
#include <string>
#include <vector>

#include "core/CaseFold.h"
#include "core/DateText.h"
#include "core/DurationText.h"
#include "core/JournalEntry.h"
#include "core/Markers.h"
#include "core/NumberText.h"
#include "core/TimeZone.h"

namespace tw::test {

struct RefTotal {
  std::string name;
  std::int64_t minutes;
};

inline RefTotal* refFind(std::vector<RefTotal>& list, const std::string& name) {
  for (RefTotal& t : list)
    if (CaseFold::equal(t.name, name)) return &t;
  return nullptr;
}

inline void refAdd(std::vector<RefTotal>& list, const std::string& name, std::int64_t minutes) {
  if (RefTotal* t = refFind(list, name)) {
    t->minutes += minutes;
  } else {
    list.push_back({name, minutes});
  }
}

class ReferenceReport {
 public:
  std::string category, startDate, endDate;

  void add(const JournalEntry& e) {
    auto it = entries_.begin();
    while (it != entries_.end() && !(it->start > e.start)) ++it;
    entries_.insert(it, e);
  }

  bool passes(const JournalEntry& e) const {
    return category.empty() || CaseFold::equal(category, e.categories);
  }

  std::string text() const {
    const std::string sep = !startDate.empty() ? (!endDate.empty() ? " through " : " ->")
                                               : (!endDate.empty() ? "<- " : "ALL");
    std::string out = "JOURNAL REPORT\r\nRange: " + startDate + sep + endDate +
                      ", Category: " + (category.empty() ? "ALL" : category) + "\r\n";
    const DateTime from = DateText::parse(startDate.empty() ? "1/1/1900" : startDate).date();
    const DateTime until =
        DateText::parse(endDate.empty() ? "1/1/2999" : endDate).date().addDays(1);
    std::string lastDay;
    std::vector<RefTotal> totals;
    for (const JournalEntry& e : entries_) {
      const DateTime start = e.localStart();
      if (start < from || !(start < until) || !passes(e)) continue;
      const std::string day = DateText::longDate(start);
      if (day != lastDay) out += "\r\n[" + day + "]\r\n\r\n";
      lastDay = day;
      if (Markers::isMarkerName(e.type)) {
        out += "  " + e.subject + ": " + DateText::generalDate(start) + "\r\n\r\n";
        continue;
      }
      out += "    " + e.categories + ": " + DurationText::friendly(e.minutes()) + " (" + e.type +
             ")\r\n    " + DateText::longTime(start);
      if (e.minutes() > 0) {
        // The local time of the start instant plus the length, where the entry was recorded.
        const Instant end = e.start.plus(std::int64_t{e.minutes()} * 60);
        const bool here = TimeZone::offsetAt(e.start) == e.utcOffset;
        out += " through " +
               DateText::longTime(here ? TimeZone::toLocal(end) : end.local(e.utcOffset));
      }
      out += "\r\n    " + e.subject + "\r\n\r\n";
      refAdd(totals, e.categories, e.minutes());
    }
    out += "\r\nTOTALS:\r\n-------\r\n";
    for (const RefTotal& t : totals) {
      if (Markers::isMarkerName(t.name)) continue;
      out += t.name + ": " + DurationText::friendly(static_cast<std::int32_t>(t.minutes)) + "\r\n";
    }
    return out;
  }

  std::string csv() const {
    const DateTime last = DateText::parse(endDate);
    std::vector<std::pair<DateTime, std::vector<RefTotal>>> days;
    std::vector<std::string> names;
    for (DateTime d = DateText::parse(startDate); d <= last; d = d.addDays(1)) {
      std::vector<RefTotal> day;
      for (const JournalEntry& e : entries_)
        if (e.localStart().date() == d && passes(e)) refAdd(day, e.categories, e.minutes());
      for (const RefTotal& t : day) {
        bool known = false;
        for (const std::string& n : names) known = known || CaseFold::equal(n, t.name);
        if (!known) names.push_back(t.name);
      }
      days.emplace_back(d, std::move(day));
    }
    std::string out = "category";
    for (const auto& day : days) out += "," + DateText::shortDate(day.first);
    out += "\r\n";
    for (const std::string& n : names) {
      if (Markers::isMarkerName(n)) continue;
      std::string field = n;
      char* end = nullptr;
      const bool number = !field.empty() && (std::strtod(field.c_str(), &end), *end == '\0');
      if (!field.empty() && std::string("=+-@\t\r").find(field[0]) != std::string::npos && !number)
        field = "'" + field;
      if (field.find_first_of(",\"\r\n") != std::string::npos) {
        std::string quoted;
        for (char ch : field) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        field = "\"" + quoted + "\"";
      }
      out += field;
      for (auto& day : days) {
        RefTotal* t = refFind(day.second, n);
        const auto minutes = static_cast<std::int32_t>(t ? t->minutes : 0);
        out += "," + NumberText::general(DurationText::decimalHours(minutes));
      }
      out += "\r\n";
    }
    return out;
  }

 private:
  std::vector<JournalEntry> entries_;
};

}  // namespace tw::test

#include "import/ical/KtimetrackerReader.h"

#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <set>

#include "import/ForeignTime.h"
#include "import/ImportError.h"
#include "sync/IcalObject.h"
#include "sync/SyncError.h"

namespace tw {
namespace {

constexpr const char* kDurationX = "X-KDE-ktimetracker-duration";

struct Todo {
  std::string name;
  std::string parent;
  bool complete = false;
};

std::string related(icalcomponent* c) {
  return IcalObject::text(c, ICAL_RELATEDTO_PROPERTY);
}

bool isComplete(icalcomponent* c) {
  if (icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY)) return true;
  if (icalcomponent_get_status(c) == ICAL_STATUS_COMPLETED) return true;
  icalproperty* percent = icalcomponent_get_first_property(c, ICAL_PERCENTCOMPLETE_PROPERTY);
  return percent && icalproperty_get_percentcomplete(percent) >= 100;
}

// The instant of a time and the offset in force here then: a floating time is this machine's
// wall clock.
std::optional<TimeZone::Reading> readingOf(icaltimetype t) {
  if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t) || t.is_date) return std::nullopt;
  if (t.zone) {
    const Instant at = Instant::fromUnix(icaltime_as_timet_with_zone(t, t.zone));
    return TimeZone::Reading{at, TimeZone::offsetAt(at)};
  }
  const std::string why = DateTime::whyInvalid(t.year, t.month, t.day, t.hour, t.minute, t.second);
  if (!why.empty()) return std::nullopt;
  return ForeignTime::local(
      DateTime::fromParts(t.year, t.month, t.day, t.hour, t.minute, t.second));
}

std::optional<std::int64_t> durationOf(icalcomponent* c) {
  const std::vector<std::string> values = IcalObject::xValues(c, kDurationX);
  if (values.empty()) return std::nullopt;
  char* end = nullptr;
  const long long seconds = std::strtoll(values.front().c_str(), &end, 10);
  if (end == values.front().c_str() || *end != '\0' || seconds < 0) return std::nullopt;
  return seconds;
}

std::string bodyOf(icalcomponent* c) {
  std::string body = IcalObject::text(c, ICAL_DESCRIPTION_PROPERTY);
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_COMMENT_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_COMMENT_PROPERTY)) {
    const char* comment = icalproperty_get_comment(p);
    if (comment && *comment) body += (body.empty() ? "" : "\n") + std::string(comment);
  }
  return body;
}

class Reading {
 public:
  explicit Reading(ForeignJournal& journal) : journal_(journal) {}

  void todo(icalcomponent* c) {
    const char* uid = icalcomponent_get_uid(c);
    if (!uid) return;
    Todo t{IcalObject::text(c, ICAL_SUMMARY_PROPERTY), related(c), isComplete(c)};
    if (t.complete && !t.name.empty()) journal_.taskStatus[t.name] = TaskStatus::Complete;
    todos_[uid] = std::move(t);
  }

  void event(icalcomponent* c, std::size_t number) {
    const char* uid = icalcomponent_get_uid(c);
    const std::string where =
        uid && *uid ? "event " + ImportError::quoted(uid) : "event " + std::to_string(number);
    if (!uid || !*uid) return skip(where, "it has no UID");
    const std::optional<TimeZone::Reading> start = readingOf(icalcomponent_get_dtstart(c));
    if (!start) return skip(where, "it has no start of day and time (DTSTART)");
    ForeignEntry e;
    e.identity = uid;
    e.where = where;
    e.start = start->instant;
    e.utcOffset = start->offset;
    const std::optional<std::int64_t> duration = durationOf(c);
    const bool hasEnd = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY) ||
                        icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY);
    if (duration && (*duration > 0 || hasEnd)) {
      e.seconds = *duration;
    } else if (hasEnd) {
      const std::optional<TimeZone::Reading> end = readingOf(icalcomponent_get_dtend(c));
      if (!end) return skip(where, "its end (DTEND) cannot be read");
      e.seconds = end->instant.secondsSince(start->instant);
    } else {
      e.running = true;
    }
    nameFrom(related(c), IcalObject::text(c, ICAL_SUMMARY_PROPERTY), e);
    e.body = bodyOf(c);
    journal_.entries.push_back(std::move(e));
  }

 private:
  void skip(const std::string& where, const char* reason) {
    journal_.skipped.push_back({where, reason});
  }
  // The task's name and its parents' names, outermost first; the event's own summary when its
  // task is not in the file.
  void nameFrom(const std::string& taskUid, const std::string& summary, ForeignEntry& e) const {
    auto found = todos_.find(taskUid);
    if (found == todos_.end()) {
      e.subject = summary;
      return;
    }
    e.subject = found->second.name;
    std::set<std::string> seen{taskUid};
    for (std::string parent = found->second.parent; seen.insert(parent).second;) {
      found = todos_.find(parent);
      if (found == todos_.end()) break;
      e.categories.insert(e.categories.begin(), found->second.name);
      parent = found->second.parent;
    }
  }

  ForeignJournal& journal_;
  std::map<std::string, Todo> todos_;
};

}  // namespace

ForeignJournal KtimetrackerReader::read(InputText& input) {
  std::string text, line;
  while (input.next(line)) text += line + "\r\n";
  std::optional<IcalObject> file;
  try {
    file = IcalObject::parse(text);
  } catch (const SyncError& e) {
    throw ImportError(input.name() + " is not KTimeTracker's iCalendar file: " + e.what());
  }
  ForeignJournal journal;
  journal.source = kSource;
  Reading reading(journal);
  std::vector<icalcomponent*> events;
  for (icalcomponent* calendar : file->calendars()) {
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
      if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT) reading.todo(c);
      if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT) events.push_back(c);
    }
  }
  for (std::size_t i = 0; i < events.size(); ++i) reading.event(events[i], i + 1);
  std::stable_sort(journal.entries.begin(), journal.entries.end(),
                   [](const ForeignEntry& a, const ForeignEntry& b) { return a.start < b.start; });
  return journal;
}

}  // namespace tw

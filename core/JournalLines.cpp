#include "core/JournalLines.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <set>

#include "core/DateText.h"
#include "core/DateTimeError.h"
#include "core/EntryRules.h"
#include "core/FormatError.h"
#include "core/TimeZone.h"

namespace tw {
namespace {

using nlohmann::json;

struct TextKey {
  const char* name;
  std::string JournalEntry::*field;
};

constexpr TextKey kTextKeys[] = {{"uid", &JournalEntry::uid},
                                 {"subject", &JournalEntry::subject},
                                 {"categories", &JournalEntry::categories},
                                 {"type", &JournalEntry::type},
                                 {"companies", &JournalEntry::companies},
                                 {"body", &JournalEntry::body},
                                 {"task", &JournalEntry::taskUid}};

[[noreturn]] void wrong(const std::string& key, const std::string& what) {
  throw FormatError("\"" + key + "\" " + what);
}

// The line as a JSON object whose keys are each given once.
json objectOf(std::string_view line) {
  if (line.find('\0') != std::string_view::npos) throw FormatError("it holds a NUL byte");
  std::set<std::string> keys;
  std::string repeated;
  const json::parser_callback_t noteKeys = [&](int depth, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::key && depth == 1 &&
        !keys.insert(parsed.get<std::string>()).second)
      repeated = parsed.get<std::string>();
    return true;
  };
  json object = json::parse(line, noteKeys, false);
  if (object.is_discarded()) throw FormatError("it is not valid JSON");
  if (!object.is_object()) throw FormatError("it is not a JSON object");
  if (!repeated.empty()) wrong(repeated, "is given twice");
  return object;
}

std::string textOf(const json& value, const std::string& key) {
  if (!value.is_string()) wrong(key, "is not a text");
  std::string text = value.get<std::string>();
  if (text.find('\0') != std::string::npos) wrong(key, "holds a NUL character");
  return text;
}

std::int64_t numberOf(const json& value, const std::string& key, std::int64_t lowest,
                      std::int64_t highest, const char* unit) {
  const std::string range =
      "(" + std::to_string(lowest) + " to " + std::to_string(highest) + " " + unit + ")";
  if (!value.is_number_integer()) wrong(key, "is not a whole number " + range);
  if (value.is_number_unsigned()
          ? value.get<std::uint64_t>() > static_cast<std::uint64_t>(highest)
          : value.get<std::int64_t>() < lowest || value.get<std::int64_t>() > highest)
    wrong(key, "is " + value.dump() + ", out of range " + range);
  return value.get<std::int64_t>();
}

DateTime startOf(const json& value) {
  const std::string text = textOf(value, "start");
  try {
    return DateText::parseIso(text);
  } catch (const DateTimeError& e) {
    throw FormatError(std::string("\"start\": ") + e.what());
  }
}

std::string* textField(JournalEntry& e, const std::string& key) {
  for (const TextKey& k : kTextKeys) {
    if (key == k.name) return &(e.*k.field);
  }
  return nullptr;
}

}  // namespace

JournalEntry JournalLines::parse(std::string_view line) {
  const json object = objectOf(line);
  JournalEntry e;
  std::optional<DateTime> start;
  std::optional<std::int64_t> minutes, seconds, offset;
  for (const auto& [key, value] : object.items()) {
    if (key == "start")
      start = startOf(value);
    else if (key == "duration")
      minutes = numberOf(value, key, 0, EntryRules::kMostMinutes, "minutes");
    else if (key == "seconds")
      seconds = numberOf(value, key, 0, EntryRules::kMostSeconds, "seconds");
    else if (key == "utc_offset")
      offset = numberOf(value, key, -EntryRules::kMostOffset, EntryRules::kMostOffset, "seconds");
    else if (std::string* text = textField(e, key))
      *text = textOf(value, key);
    else
      throw FormatError("unknown key \"" + key + "\"");
  }
  if (!start) throw FormatError("\"start\" is missing");
  e.seconds = seconds ? *seconds : minutes.value_or(0) * 60;
  if (offset) {
    e.utcOffset = static_cast<std::int32_t>(*offset);
    e.start = Instant::fromLocal(*start, e.utcOffset);
  } else {
    try {
      const TimeZone::Reading reading = TimeZone::entered(*start);
      e.start = reading.instant;
      e.utcOffset = reading.offset;
    } catch (const DateTimeError& error) {
      throw FormatError(std::string("\"start\": ") + error.what());
    }
  }
  if (const std::string why = EntryRules::whyInvalid(e); !why.empty()) throw FormatError(why);
  return e;
}

std::string JournalLines::format(const JournalEntry& e) {
  nlohmann::ordered_json line;
  line["subject"] = e.subject;
  // A start out of range (written by an older version) is kept as it reads, for check to name.
  const std::int64_t start = e.start.localSeconds(e.utcOffset);
  line["start"] = start >= DateTime::minSeconds() && start <= DateTime::maxSeconds()
                      ? DateText::iso(DateTime::fromSeconds(start))
                      : DateText::isoOfAny(start);
  line["duration"] = e.minutes();
  line["categories"] = e.categories;
  line["type"] = e.type;
  line["companies"] = e.companies;
  line["body"] = e.body;
  line["uid"] = e.uid;
  line["seconds"] = e.seconds;
  line["utc_offset"] = e.utcOffset;
  line["task"] = e.taskUid;
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace tw

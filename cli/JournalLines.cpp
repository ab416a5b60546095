#include "app/JournalLines.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "model/DateText.h"
#include "model/DateTimeError.h"

namespace tw {
namespace {

using nlohmann::json;

std::string textOf(const json& value, const char* key) {
  if (!value.is_string()) throw std::invalid_argument(std::string("\"") + key + "\" is not a text");
  return value.get<std::string>();
}

std::int32_t minutesOf(const json& value) {
  if (!value.is_number_integer())
    throw std::invalid_argument("\"duration\" is not a whole number of minutes");
  constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
  const bool fits =
      value.is_number_unsigned()
          ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(highest)
          : value.get<std::int64_t>() >= lowest && value.get<std::int64_t>() <= highest;
  if (!fits) throw std::invalid_argument("\"duration\" is out of range");
  return static_cast<std::int32_t>(value.get<std::int64_t>());
}

DateTime startOf(const json& value) {
  const std::string text = textOf(value, "start");
  try {
    return DateText::parseIso(text);
  } catch (const DateTimeError&) {
    throw std::invalid_argument("\"start\" is not a date-time of the form YYYY-MM-DDTHH:MM:SS");
  }
}

}  // namespace

JournalEntry JournalLines::parse(std::string_view line) {
  const json object = json::parse(line, nullptr, false);
  if (object.is_discarded()) throw std::invalid_argument("it is not valid JSON");
  if (!object.is_object()) throw std::invalid_argument("it is not a JSON object");
  JournalEntry e;
  for (const auto& [key, value] : object.items()) {
    if (key == "subject")
      e.subject = textOf(value, "subject");
    else if (key == "start")
      e.start = startOf(value);
    else if (key == "duration")
      e.duration = minutesOf(value);
    else if (key == "categories")
      e.Category = textOf(value, "categories");
    else if (key == "type")
      e.entrytype = textOf(value, "type");
    else if (key == "companies")
      e.company = textOf(value, "companies");
    else if (key == "body")
      e.notes = textOf(value, "body");
    else
      throw std::invalid_argument("unknown key \"" + key + "\"");
  }
  return e;
}

std::string JournalLines::format(const JournalEntry& e) {
  nlohmann::ordered_json line;
  line["subject"] = e.subject;
  line["start"] = DateText::iso(e.start);
  line["duration"] = e.duration;
  line["categories"] = e.Category;
  line["type"] = e.entrytype;
  line["companies"] = e.company;
  line["body"] = e.notes;
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace tw

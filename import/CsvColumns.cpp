#include "import/CsvColumns.h"
#include "core/FormatError.h"

namespace tw {
namespace {

struct Known {
  const char* name;
  // The headers that name the field, compared without letter case and blanks; the first one
  // present wins.
  std::vector<const char*> headers;
};

const Known kKnown[CsvColumns::kFieldCount] = {
    {"id", {"id", "entryid", "timeentryid"}},
    {"project", {"project", "projectname"}},
    {"client", {"client", "clientname", "customer"}},
    {"task", {"task", "taskname", "activity"}},
    {"description", {"description", "notes", "note", "comment"}},
    {"tags", {"tags", "tag", "labels"}},
    {"billable", {"billable"}},
    {"start", {"start", "started", "begin"}},
    {"start-date", {"startdate", "date"}},
    {"start-time", {"starttime", "from"}},
    {"end", {"end", "ended", "stop"}},
    {"end-date", {"enddate"}},
    {"end-time", {"endtime", "to"}},
    {"duration",
     {"duration", "durationh", "duration(h)", "hours", "durationdecimal", "duration(decimal)",
      "time(h)"}},
};

// Lower case ASCII without blanks, underscores and hyphens.
std::string key(const std::string& header) {
  std::string out;
  for (const char c : header) {
    if (c == ' ' || c == '_' || c == '-' || c == '\t') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

}  // namespace

std::string CsvColumns::fieldNames() {
  std::string out;
  for (const Known& k : kKnown) out += (out.empty() ? "" : ", ") + std::string(k.name);
  return out;
}

CsvColumns::Choices CsvColumns::choicesOf(const std::vector<std::string>& arguments) {
  Choices choices;
  for (const std::string& argument : arguments) {
    const std::size_t equals = argument.find('=');
    const std::string field = argument.substr(0, equals);
    int found = -1;
    for (int f = 0; f < kFieldCount; ++f)
      if (field == kKnown[f].name) found = f;
    if (equals == std::string::npos || found < 0 || equals + 1 == argument.size())
      throw FormatError("\"" + argument + "\" is not FIELD=HEADER with a field of " + fieldNames());
    if (!choices.emplace(static_cast<Field>(found), argument.substr(equals + 1)).second)
      throw FormatError("the field " + field + " is given twice");
  }
  return choices;
}

CsvColumns::CsvColumns(const std::vector<std::string>& header, const Choices& choices) {
  for (int f = 0; f < kFieldCount; ++f) {
    const auto chosen = choices.find(static_cast<Field>(f));
    if (chosen != choices.end()) {
      for (std::size_t i = 0; i < header.size() && !columns_[f]; ++i)
        if (header[i] == chosen->second) columns_[f] = i;
      if (!columns_[f]) {
        std::string names;
        for (const std::string& h : header) names += (names.empty() ? "\"" : ", \"") + h + "\"";
        throw FormatError("it has no column \"" + chosen->second + "\"; its columns are " + names);
      }
      continue;
    }
    for (const char* known : kKnown[f].headers) {
      for (std::size_t i = 0; i < header.size() && !columns_[f]; ++i)
        if (key(header[i]) == known) columns_[f] = i;
      if (columns_[f]) break;
    }
  }
}

std::string CsvColumns::text(const std::vector<std::string>& header) const {
  std::string out;
  for (int f = 0; f < kFieldCount; ++f)
    if (columns_[f])
      out += (out.empty() ? "" : ", ") + std::string(kKnown[f].name) + " = \"" +
             header[*columns_[f]] + "\"";
  return out;
}

}  // namespace tw

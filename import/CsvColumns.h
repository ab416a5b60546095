#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// Which column of a CSV export holds which field. Each field is found by the headers the
// detailed exports of the common web trackers give it (Toggl Track, Clockify, Harvest, Kimai:
// "Start date", "Start Time", "Duration (h)", ...), letter case and blanks aside, or by the
// header the user names for it (--column start-date="Began on").
class CsvColumns {
 public:
  enum Field {
    Id,
    Project,
    Client,
    Task,
    Description,
    Tags,
    Billable,
    Start,
    StartDate,
    StartTime,
    End,
    EndDate,
    EndTime,
    Duration,
    kFieldCount
  };
  // Field name (as --column names it) -> header.
  using Choices = std::map<Field, std::string>;

  // "id, project, client, ...".
  static std::string fieldNames();
  // The choices of FIELD=HEADER arguments; throws FormatError naming a wrong one.
  static Choices choicesOf(const std::vector<std::string>& arguments);

  // The columns of the header line; throws FormatError when a chosen header is not
  // in it (naming the headers there are).
  CsvColumns(const std::vector<std::string>& header, const Choices& choices);

  std::optional<std::size_t> column(Field field) const { return columns_[field]; }
  // "start-date = \"Start date\", ..." for the fields found.
  std::string text(const std::vector<std::string>& header) const;

 private:
  std::array<std::optional<std::size_t>, kFieldCount> columns_;
};

}  // namespace tw

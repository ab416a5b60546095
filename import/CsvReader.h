#pragma once

#include "import/CsvColumns.h"
#include "import/ForeignJournal.h"
#include "import/InputText.h"

namespace tw {

// The CSV of a web tracker's detailed export (RFC 4180; comma, semicolon or tab, as the header
// line uses them), its fields found by CsvColumns. Each row becomes an entry:
// - its start is the start column, or the start date and start time (midnight without one):
//   YYYY-MM-DD, MM/DD/YYYY or DD.MM.YYYY, with hh:mm[:ss] or h:mm[:ss] AM/PM, in this
//   machine's time zone unless an ISO time carries its offset (Z, +01:00), which names the
//   instant (shown, as every entry, under the offset in force here then);
// - its length is the time to its end (the end column, or the end date and time; an end time
//   alone before the start time is on the next day), else its duration (h:mm[:ss] or decimal
//   hours);
// - its subject is its task, else its description, else its project; its notes the
//   description when the task is the subject;
// - its categories are its project, its client, its tags (split at commas) and "Billable" when
//   the billable column says yes.
// Its identity is its id column, else its start and subject. A row that cannot be read is an
// error naming its line.
class CsvReader {
 public:
  static constexpr const char* kSource = "csv";
  static constexpr const char* kBillable = "Billable";
  static ForeignJournal read(InputText& input, const CsvColumns::Choices& choices);
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "billing/BillRequest.h"
#include "core/DateTime.h"
#include "store/Client.h"

namespace tw {

// What a client is billed for a period: sections per task with their lines, subtotals and the
// total, the minutes rounding added or took away, the time not billed, and the problems that
// affect the period. Amounts are minor units of the client's currency; lengths are seconds.
// The total is the sum of the sections, each section's the sum of its lines.
struct Bill {
  struct Line {
    enum class Kind {
      // Time worked: a task, a task's day or an entry, as the request's Per says.
      Work,
      // What rounding added (positive) or took away (negative) where it rounds more time
      // together than one line holds (a task's day or total under lines per entry or day).
      Rounding,
    };
    Kind kind = Kind::Work;
    // The day (lines per day and entry, rounding of a task's day); none for a task's line.
    std::optional<DateTime> day;
    // The entry's local start and notes (lines per entry).
    std::optional<DateTime> start;
    std::string notes;
    // From the day this line's rate took effect, when it changed inside the period (lines
    // per task); none otherwise.
    std::optional<DateTime> rateFrom;
    // As timed, and as billed after rounding.
    std::int64_t seconds = 0;
    std::int64_t billedSeconds = 0;
    // Minor units per hour, and the line's amount: billed hours at that rate, to the nearest
    // minor unit (halves away from zero).
    std::int64_t rate = 0;
    std::int64_t amount = 0;
  };

  struct Section {
    std::string subject;
    std::vector<Line> lines;
    std::int64_t seconds = 0;
    std::int64_t billedSeconds = 0;
    std::int64_t amount = 0;
  };

  // Time of the client's tasks that are not billable, shown apart and never priced.
  struct Unbilled {
    std::string subject;
    std::int64_t seconds = 0;
  };

  struct Problem {
    enum class Kind {
      // An entry naming two or more clients: billed to none of them.
      SeveralClients,
      // Two of the client's entries overlap in time.
      Overlap,
      // A timer runs on one of the client's tasks in the period: its time is still growing.
      OpenTimer,
      // Billable time on a day no rate is in force for: priced at 0.
      NoRate,
    };
    Kind kind = Kind::SeveralClients;
    DateTime day;
    // For people: what and where ("09:00 Design (Acme, Globex): names two clients").
    std::string text;
  };

  BillRequest request;
  Client client;
  std::vector<Section> sections;
  std::vector<Unbilled> unbilled;
  std::vector<Problem> problems;
  std::int64_t seconds = 0;
  std::int64_t billedSeconds = 0;
  std::int64_t amount = 0;
  std::int64_t unbilledSeconds = 0;

  // What rounding added (positive) or took away (negative), in seconds.
  std::int64_t roundingSeconds() const { return billedSeconds - seconds; }
};

}  // namespace tw

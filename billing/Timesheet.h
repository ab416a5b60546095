#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DateTime.h"

namespace tw {

// A week of the journal as a grid: rows are tasks grouped by client, columns the seven days
// from Monday. A billable task's cells hold its billed seconds (rounded as its client's bill
// rounds them; rounding over a task's total sits in the row's rounding column), so that a
// client's totals equal its bill for the week; other time is shown as timed.
struct Timesheet {
  using Days = std::array<std::int64_t, 7>;

  struct Row {
    std::string subject;
    bool billable = true;
    Days days{};
    std::int64_t rounding = 0;
    std::int64_t total = 0;
  };

  struct Group {
    enum class Kind {
      Client,
      // Entries naming no client.
      NoClient,
      // Entries naming two or more clients (billed to none).
      SeveralClients,
    };
    Kind kind = Kind::Client;
    // The client's name (Kind::Client).
    std::string client;
    std::vector<Row> rows;
    Days days{};
    std::int64_t rounding = 0;
    std::int64_t total = 0;
    // The billable part of total, equal to the client's bill for the week.
    std::int64_t billed = 0;
  };

  // Midnight of the Monday.
  DateTime monday;
  std::vector<Group> groups;
  Days days{};
  std::int64_t total = 0;

  DateTime day(int index) const { return monday.addDays(index); }
};

}  // namespace tw

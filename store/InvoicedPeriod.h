#pragma once

#include <cstdint>
#include <string>

#include "core/DateTime.h"

namespace tw {

// Days of a client's journal that were invoiced: the entries naming the client among their
// categories on those local days may not change until the period is unmarked.
struct InvoicedPeriod {
  std::int64_t id = 0;
  // The client's name as it was when the period was marked.
  std::string client;
  // Midnight of the first and of the last local day.
  DateTime first;
  DateTime last;
  // When it was marked, seconds since 1970 (UTC).
  std::int64_t marked = 0;

  // "Acme, 1–30 Nov 2026", "Acme, 28 Nov – 3 Dec 2026", "Acme, 28 Dec 2026 – 3 Jan 2027".
  std::string describe() const;
  // The days alone: "1–30 Nov 2026", "3 Nov 2026" for one day.
  static std::string days(DateTime first, DateTime last);
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <string>

#include "store/RoundingRule.h"

namespace tw {

// A category name marked as a client: the entries naming it among their categories are billed
// to it (see billing/ClientOf). Its rates are kept apart (Rate), each from the day it takes
// effect.
struct Client {
  // The store's row, 0 before the client is stored.
  std::int64_t id = 0;
  // The category name, as the user typed it; unique letter case aside.
  std::string name;
  // ISO 4217 code (billing/Currency).
  std::string currency;
  RoundingRule rounding;
  // Whether the client's tasks are billed unless a task says otherwise.
  bool billable = true;
};

}  // namespace tw

#pragma once

#include <libical/ical.h>

#include <string>

namespace tw {

// A categories text ("Design, Admin") as CATEGORIES, one property per category, for other
// programs, and as X-TALLYWORKS-CATEGORIES exactly as written. Reading takes the exact text
// while it still names the categories CATEGORIES names, else CATEGORIES joined with ", ".
class Categories {
 public:
  static std::string read(icalcomponent* c);
  static void write(const std::string& categories, icalcomponent* c);
};

}  // namespace tw

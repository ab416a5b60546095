#pragma once

#include <string>

namespace tw {

// What a report is asked for: a category and a range of days, as the user typed them.
class ReportRequest {
 public:
  // Only entries of exactly this category (without regard to letter case); empty for all.
  std::string category;
  // First and last day as date texts (1/5/2003); empty for no bound.
  std::string startDate;
  std::string endDate;
};

}  // namespace tw

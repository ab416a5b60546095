#include "report/ReportRequest.h"

#include <utility>

#include "core/DateText.h"

namespace tw {
namespace {

std::optional<DateTime> read(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return DateText::parse(text);
}

std::string shown(const std::optional<DateTime>& day) {
  return day ? DateText::shortDate(*day) : std::string();
}

}  // namespace

ReportRequest ReportRequest::ofDays(std::string category, std::optional<DateTime> first,
                                    std::optional<DateTime> last) {
  return {std::move(category), first, last, shown(first), shown(last)};
}

ReportRequest ReportRequest::typed(std::string category, std::string first, std::string last) {
  return {std::move(category), read(first), read(last), std::move(first), std::move(last)};
}

}  // namespace tw

#pragma once

#include <functional>
#include <string_view>

namespace tw {

// Where a report's text goes as it is made: whole lines, in order, in pieces of a few dozen
// kilobytes, so that a report of the whole journal needs no more memory than one of a month.
using ReportSink = std::function<void(std::string_view)>;

}  // namespace tw

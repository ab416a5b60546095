#pragma once

#include <string_view>
#include <vector>

namespace tw {

// The VCALENDARs of an iCalendar file's text, cut into their components without reading them,
// so that each is handed to libical alone: reading a file then takes time in proportion to its
// size. Views into the text, which must outlive them.
class IcalCalendarText {
 public:
  // The VTIMEZONEs, each from its BEGIN line to its END line.
  std::vector<std::string_view> timeZones;
  // The other components (VTODO, VEVENT, VJOURNAL, VFREEBUSY, ...), likewise.
  std::vector<std::string_view> items;

  // Throws SyncError when the text holds no VCALENDAR or a component that does not end.
  static std::vector<IcalCalendarText> split(std::string_view text);
};

}  // namespace tw

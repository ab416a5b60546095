#pragma once

#include <string>
#include <string_view>

namespace tw {

// Text a server or a file sent, made fit to show: untrusted, so bounded and cleaned.
class ServerText {
 public:
  // The text on one line of at most maxBytes: control characters and runs of blanks become one
  // space, bytes that are not UTF-8 become "?", and a longer text is cut at a character's
  // end with "…".
  static std::string oneLine(std::string_view text, std::size_t maxBytes = 200);
  // What the body of an error answer says: a WebDAV error's conditions and description
  // ("valid-calendar-data: DTEND must occur after DTSTART"), the text of an HTML page, or the
  // plain text; one line, empty when it says nothing.
  static std::string description(std::string_view body);
  // Whether the body is a WebDAV error naming the condition (a local name such as
  // "valid-sync-token").
  static bool names(std::string_view body, std::string_view condition);
};

}  // namespace tw

// libFuzzer target: the date-text reader on arbitrary bytes. Whatever it accepts must render
// and read back to the same date-time; whatever it refuses must be refused with DateTimeError.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/DateText.h"
#include "core/DateTimeError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tw::DateTime t;
  try {
    t = tw::DateText::parse(text);
  } catch (const tw::DateTimeError&) {
    return 0;
  }
  if (t.seconds() < tw::DateTime::minSeconds() || t.seconds() > tw::DateTime::maxSeconds()) {
    std::abort();
  }
  if (t.date() != tw::DateTime() && tw::DateText::parse(tw::DateText::generalDate(t)) != t) {
    std::abort();
  }
  if (tw::DateText::parse(tw::DateText::shortDate(t)) != t.date()) std::abort();
  tw::DateText::longDate(t);
  return 0;
}

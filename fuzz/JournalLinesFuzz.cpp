// libFuzzer target: the reader of journal lines (JSON) on arbitrary input, as `journal import`
// gets it from files of unknown origin. Every line it takes holds what an entry may hold, and
// the line written for that entry reads back as the same entry. The input is read as a line of
// its own, and as the subject and the notes, and as the start, of a line otherwise sound, so
// that the rules are reached without a corpus. Built by scripts/fuzz.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/EntryRules.h"
#include "core/FormatError.h"
#include "core/JournalLines.h"

namespace {

bool same(const tw::JournalEntry& a, const tw::JournalEntry& b) {
  return a.uid == b.uid && a.subject == b.subject && a.start == b.start &&
         a.utcOffset == b.utcOffset && a.seconds == b.seconds && a.categories == b.categories &&
         a.type == b.type && a.companies == b.companies && a.body == b.body &&
         a.taskUid == b.taskUid;
}

// The text as a JSON string's inside: quotes, backslashes and control characters escaped,
// every other byte (also one that is no UTF-8) as it is.
std::string inJson(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

void check(const std::string& line) {
  tw::JournalEntry entry;
  try {
    entry = tw::JournalLines::parse(line);
  } catch (const tw::FormatError&) {
    return;  // refused, as it may be
  }
  if (!tw::EntryRules::whyInvalid(entry).empty()) std::abort();
  if (!same(tw::JournalLines::parse(tw::JournalLines::format(entry)), entry)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  check(input);
  const std::string text = inJson(input);
  check(R"({"subject":")" + text + R"(","start":"2024-03-01T09:00:00","body":")" + text +
        R"(","duration":90})");
  check(R"({"subject":"x","start":")" + text + R"(","utc_offset":3600,"seconds":61})");
  return 0;
}

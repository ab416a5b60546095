// libFuzzer target: the reader of journal lines (JSON) on arbitrary input, as `journal import`
// gets it from files of unknown origin. Every line it takes holds what an entry may hold, and
// the line written for that entry reads back as the same entry. Built by scripts/fuzz.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "core/EntryRules.h"
#include "core/JournalLines.h"

namespace {

bool same(const tw::JournalEntry& a, const tw::JournalEntry& b) {
  return a.uid == b.uid && a.subject == b.subject && a.start == b.start &&
         a.utcOffset == b.utcOffset && a.seconds == b.seconds && a.categories == b.categories &&
         a.type == b.type && a.companies == b.companies && a.body == b.body &&
         a.taskUid == b.taskUid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  tw::JournalEntry entry;
  try {
    entry = tw::JournalLines::parse(line);
  } catch (const std::invalid_argument&) {
    return 0;  // refused, as it may be
  }
  if (!tw::EntryRules::whyInvalid(entry).empty()) std::abort();
  if (!same(tw::JournalLines::parse(tw::JournalLines::format(entry)), entry)) std::abort();
  return 0;
}

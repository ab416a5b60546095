// libFuzzer target: an iCalendar object from a server or a file, read as a task and as a
// journal entry, written back as the synchronisation would write it, and cut into components
// as a file is: nothing may crash, leak or run without end (libical expands time zones; their
// rules are bounded before). Built by scripts/fuzz, not by the normal build.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sync/EntryKind.h"
#include "sync/IcalCalendarText.h"
#include "sync/SyncError.h"
#include "sync/TaskKind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const tw::Instant now = tw::Instant::fromUnix(1'717'000'000);
  const tw::TaskKind task;
  const tw::EntryKind event;
  const tw::EntryKind journal(ICAL_VJOURNAL_COMPONENT);
  for (const tw::ItemKind* kind :
       {static_cast<const tw::ItemKind*>(&task), static_cast<const tw::ItemKind*>(&event),
        static_cast<const tw::ItemKind*>(&journal)}) {
    try {
      const tw::ItemKind::Item item = kind->parse(text);
      if (item.fields.size() != kind->fieldNames().size()) std::abort();
      kind->describe(item.fields);
      // Written into the server's copy, as a change is sent.
      kind->serialise(item.uid, item.fields, text, now);
    } catch (const tw::SyncError& e) {
      // Refused: with a description, as every refusal is.
      if (*e.what() == '\0') std::abort();
    }
  }
  try {
    for (const tw::IcalCalendarText& calendar : tw::IcalCalendarText::split(text))
      for (std::string_view part : calendar.items)
        if (part.data() < text.data() || part.data() + part.size() > text.data() + text.size())
          std::abort();
  } catch (const tw::SyncError& e) {
    // Refused: with a description, as every refusal is.
    if (*e.what() == '\0') std::abort();
  }
  return 0;
}

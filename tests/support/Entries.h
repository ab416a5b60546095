#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/JournalEntry.h"
#include "core/TimeZone.h"
#include "store/JournalStore.h"

namespace tw::test {

// An entry started at a local reading of this machine's zone, under the offset it had then.
inline JournalEntry localEntry(std::string subject, DateTime localStart, std::int64_t seconds = 0,
                               std::string type = "Task") {
  JournalEntry e;
  const TimeZone::Reading r = TimeZone::resolve(localStart);
  e.start = r.instant;
  e.utcOffset = r.offset;
  e.seconds = seconds;
  e.subject = std::move(subject);
  e.type = std::move(type);
  return e;
}

// The journal in the order stored.
inline std::vector<JournalEntry> allEntries(JournalStore& store) {
  std::vector<JournalEntry> all;
  store.visitAll([&](const JournalEntry& e) {
    all.push_back(e);
    return true;
  });
  return all;
}

}  // namespace tw::test

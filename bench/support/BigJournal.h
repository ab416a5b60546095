#pragma once

#include <filesystem>
#include <string>

#include "core/DateTime.h"
#include "core/JournalEntry.h"
#include "core/TimeZone.h"
#include "store/sqlite/Schema.h"
#include "store/sqlite/SqliteJournalStore.h"

namespace tw::bench {

constexpr int kBigJournal = 1000000;

// Entry i of a journal of fifty-seven years: a task entry every 30 minutes over 40 tasks and
// 12 categories, with work markers at the start and end of each run of 48, from 1/1/1970.
inline JournalEntry bigJournalEntry(int i) {
  JournalEntry e;
  const TimeZone::Reading r = TimeZone::resolve(
      DateTime::fromParts(1970, 1, 1).addMinutes(static_cast<std::int64_t>(i) * 30));
  e.start = r.instant;
  e.utcOffset = r.offset;
  if (i % 48 == 0 || i % 48 == 47) {
    e.subject = i % 48 == 0 ? "Start Work" : "Stop Work";
    e.categories = i % 48 == 0 ? "Tallyworks Start" : "Tallyworks Stop";
    e.type = "TWEvent";
    return e;
  }
  e.subject = "Task " + std::to_string(i % 40);
  e.categories = "Category " + std::to_string(i % 12);
  e.type = "PJ_Task";
  e.seconds = (5 + i % 55) * 60;
  e.companies = "Company";
  e.body = "Notes of entry " + std::to_string(i);
  return e;
}

// A store of kBigJournal entries and 40 tasks, made once and kept between runs (a file per
// layout version, so that builds of other versions keep theirs).
inline std::string bigStore() {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("tallyworks-bench-1m-v2-s" + std::to_string(Schema::kVersion) + ".db"))
                         .string();
  if (!std::filesystem::exists(path)) {
    std::filesystem::remove(path + ".part");
    {
      SqliteJournalStore store(path + ".part");
      store.transact([&] {
        for (int t = 0; t < 40; ++t) {
          Task task;
          task.subject = "Task " + std::to_string(t);
          task.categories = "Category " + std::to_string(t % 12);
          store.addTask(task);
        }
        for (int i = 0; i < kBigJournal; ++i) store.addEntry(bigJournalEntry(i));
      });
    }
    std::filesystem::rename(path + ".part", path);
  }
  return path;
}

// A local date of the big journal's range, as a date text.
inline DateTime bigJournalDay(int year, int month, int day) {
  return DateTime::fromParts(year, month, day);
}

}  // namespace tw::bench

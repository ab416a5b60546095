#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "model/JournalEntry.h"
#include "store/Application.h"
#include "store/JournalBatch.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"

namespace tw::bench {

constexpr int kBigJournal = 1000000;

// Item i of a journal of three years and a half: a task entry every 30 minutes of 40
// tasks, with work markers at the start and end of each day's run of 48.
inline JournalEntry bigJournalEntry(int i) {
  JournalEntry e;
  e.start = DateTime::fromParts(2020, 1, 1).addMinutes(static_cast<std::int64_t>(i) * 30);
  if (i % 48 == 0 || i % 48 == 47) {
    e.subject = i % 48 == 0 ? "Start Work" : "Stop Work";
    e.Category = i % 48 == 0 ? "Tallyworks Start" : "Tallyworks Stop";
    e.entrytype = "TWEvent";
    return e;
  }
  e.subject = "Task " + std::to_string(i % 40);
  e.Category = "Category " + std::to_string(i % 12);
  e.entrytype = "PJ_Task";
  e.duration = 5 + i % 55;
  e.company = "Company";
  e.notes = "Notes of entry " + std::to_string(i);
  return e;
}

// A store of kBigJournal items at the given path, made once and kept between runs.
inline std::string bigStore() {
  std::string path = (std::filesystem::temp_directory_path() / "tallyworks-bench-1m.db").string();
  if (!std::filesystem::exists(path)) {
    Application app(path + ".part");
    JournalBatch batch(app.GetNamespace("MAPI").GetDefaultFolder(olFolderJournal));
    for (int i = 0; i < kBigJournal; ++i) batch.add(bigJournalEntry(i));
    batch.commit();
  }
  if (std::filesystem::exists(path + ".part")) {
    std::filesystem::rename(path + ".part", path);
  }
  return path;
}

}  // namespace tw::bench

#pragma once

#include <map>
#include <string>
#include <vector>

#include "import/ForeignEntry.h"
#include "store/Task.h"

namespace tw {

// What a reader of another program's file found: the entries in the order they are to be
// written, the status of tasks where the source keeps one, and what it left out and why.
class ForeignJournal {
 public:
  struct Skipped {
    std::string where;
    std::string reason;
  };

  // The source's name as the command line gives it ("timewarrior"); the records of imported
  // entries are kept under it.
  std::string source;
  std::vector<ForeignEntry> entries;
  // By subject, for sources that say whether a task is done.
  std::map<std::string, TaskStatus> taskStatus;
  std::vector<Skipped> skipped;
  // What the reader tells about its reading (the columns a CSV file's fields came from).
  std::vector<std::string> notes;
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/DateTime.h"
#include "import/ForeignJournal.h"

namespace tw {

// What an import did, or would do (a dry run): the entries by what became of them, the totals
// of the file's work per task and per category, its first and last day, and what was skipped
// and why.
class ImportSummary {
 public:
  struct Total {
    long entries = 0;
    std::int64_t seconds = 0;
  };

  std::string source;
  bool dryRun = false;
  long added = 0;
  long updated = 0;
  long unchanged = 0;
  // Imported before and changed or deleted here since: left as they are.
  long keptChanged = 0;
  long keptDeleted = 0;
  long markers = 0;
  long tasksMade = 0;
  std::map<std::string, Total> perTask;
  std::map<std::string, Total> perCategory;
  std::optional<DateTime> firstDay;
  std::optional<DateTime> lastDay;
  std::vector<ForeignJournal::Skipped> skipped;
  // The interval being timed in the source: what became of it.
  std::vector<std::string> notes;

  void count(const std::string& task, const std::vector<std::string>& categories,
             DateTime localStart, std::int64_t seconds);
  // For people, several lines, each ending in a line end.
  std::string text() const;
};

}  // namespace tw

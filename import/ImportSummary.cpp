#include "import/ImportSummary.h"

#include <cstdio>

#include "core/DateText.h"

namespace tw {
namespace {

std::string clock(std::int64_t seconds) {
  char text[40];
  std::snprintf(text, sizeof text, "%5lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

void totals(std::string& out, const char* title,
            const std::map<std::string, ImportSummary::Total>& all) {
  if (all.empty()) return;
  out += title;
  out += ":\n";
  for (const auto& [name, total] : all)
    out += "  " + clock(total.seconds) + "  " + std::to_string(total.entries) +
           (total.entries == 1 ? " entry   " : " entries ") + name + "\n";
}

std::string plural(long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

void ImportSummary::count(const std::string& task, const std::vector<std::string>& categories,
                          DateTime localStart, std::int64_t seconds) {
  Total& t = perTask[task];
  ++t.entries;
  t.seconds += seconds;
  for (const std::string& category : categories) {
    Total& c = perCategory[category];
    ++c.entries;
    c.seconds += seconds;
  }
  const DateTime day = localStart.date();
  if (!firstDay || day < *firstDay) firstDay = day;
  if (!lastDay || day > *lastDay) lastDay = day;
}

std::string ImportSummary::text() const {
  std::string out = std::string(dryRun ? "Would import" : "Imported") + " from " + source + ": " +
                    plural(added, "new entry", "new entries") + ", " + std::to_string(updated) +
                    " updated, " + std::to_string(unchanged) + " unchanged";
  if (markers > 0) out += " (" + plural(markers, "work marker", "work markers") + " among them)";
  out += "; " + plural(tasksMade, "task", "tasks") + (dryRun ? " to make" : " made") + ".\n";
  if (keptChanged > 0)
    out += plural(keptChanged, "entry", "entries") +
           " changed here since the last import of this source kept as they are.\n";
  if (keptDeleted > 0)
    out += plural(keptDeleted, "entry", "entries") +
           " deleted here since the last import of this source not imported again.\n";
  if (firstDay)
    out +=
        "Days: " + DateText::shortDate(*firstDay) + " to " + DateText::shortDate(*lastDay) + "\n";
  totals(out, "Per task (time in the file)", perTask);
  totals(out, "Per category", perCategory);
  for (const std::string& note : notes) out += note + "\n";
  if (!skipped.empty()) {
    out += "Skipped " + plural(static_cast<long>(skipped.size()), "item", "items") + ":\n";
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < skipped.size() && i < kShown; ++i)
      out += "  " + skipped[i].where + ": " + skipped[i].reason + "\n";
    if (skipped.size() > kShown)
      out += "  and " + std::to_string(skipped.size() - kShown) + " more\n";
  }
  return out;
}

}  // namespace tw

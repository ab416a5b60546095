#pragma once

#include <optional>
#include <string>

#include "core/DateTime.h"
#include "store/JournalStore.h"
#include "store/SyncState.h"

namespace tw {

// iCalendar files (RFC 5545) of the journal and the tasks, in the form the synchronisation
// uses: `tallyworks ical export` and `tallyworks ical import`. Items that came from a server
// are written from the server's copy, so what other programs added stays with them.
class IcalFile {
 public:
  // The largest file read; each item in it is bounded as an object from a server is.
  static constexpr std::size_t kMaxFileBytes = 512 * 1024 * 1024;

  struct ExportOptions {
    // The entries of these local days (JournalStore::readDays); all without bounds.
    std::optional<DateTime> firstDay;
    std::optional<DateTime> lastDay;
    // The tasks too, as VTODOs.
    bool tasks = false;
    // Entries as VJOURNALs instead of VEVENTs (few calendar programs show them).
    bool asJournal = false;
  };

  struct ImportResult {
    int added = 0;
    int updated = 0;
    int unchanged = 0;
    // Components that are neither tasks nor entries (VFREEBUSY, VAVAILABILITY, recurrence
    // exceptions, ...).
    int ignored = 0;
    // Tasks and entries that could not be read (no UID, no start, ...).
    int unparsable = 0;
    // VTIMEZONEs refused (rules no real time zone has); items naming them count as unreadable.
    int unusableZones = 0;

    // "added 2, updated 1, unchanged 5", and what was ignored or unreadable.
    std::string summary() const;
  };

  struct Export {
    std::string text;
    int items = 0;
  };
  // The iCalendar text of what the options choose, and how many items it holds.
  static Export compose(JournalStore& store, SyncState& state, const ExportOptions& options);
  // Writes it to the file whole or not at all (FileWriter); returns how many items it holds.
  static int write(JournalStore& store, SyncState& state, const std::string& path,
                   const ExportOptions& options);
  // Adds or updates the file's VTODOs as tasks and its VEVENTs (and VJOURNALs) as entries,
  // by UID, in one transaction, in time linear in the file's size. The file, each of its
  // lines and each item are checked against bounds before libical reads them. Properties and
  // components of other programs inside an item are kept with it for the next synchronisation.
  // Items equal to the stored ones are left alone, so importing a file this program wrote changes
  // nothing.
  static ImportResult read(JournalStore& store, SyncState& state, const std::string& path);
};

}  // namespace tw

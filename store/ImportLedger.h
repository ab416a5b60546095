#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// What the store remembers of the entries imported from other programs: for each source
// ("timewarrior", "hamster", ...) and each item's identity there (its UID, its start), the
// entry made of it and a digest of the entry's fields as imported. So a second import of the
// same file changes nothing, an item changed in the source since is brought up to date, and an
// entry changed or deleted here since (its fields no longer match the digest) is left as it
// is. Calls join
// a transaction of the journal store (JournalStore::transact).
class ImportLedger {
 public:
  struct Record {
    std::string identity;
    std::string entryUid;
    std::uint64_t digest = 0;
  };

  virtual ~ImportLedger() = default;
  // Every record of the source; none from a store that has never imported.
  virtual std::vector<Record> records(std::string_view source) = 0;
  // Adds the record or replaces the one of the same source and identity.
  virtual void put(std::string_view source, const Record& record) = 0;
};

}  // namespace tw

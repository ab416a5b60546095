#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/TextOutput.h"
#include "core/Clock.h"
#include "core/Settings.h"
#include "store/JournalStore.h"
#include "store/StoreOpener.h"

namespace tw {

// What a command works with: its input, its output, the store, the settings and the clock.
class CommandContext {
 public:
  CommandContext(std::istream& in, std::ostream& out, std::ostream& err, bool outIsTerminal,
                 const StoreOpener& stores, const Clock& clock);

  // The store to use; empty for the user's default store.
  void useStore(std::string path) { storePath_ = std::move(path); }
  const std::string& storePath();
  std::unique_ptr<JournalStore> open(StoreOpener::Access access);
  // The store opened read-only, or null when its file does not exist yet: commands that only
  // read show such a store as empty, and create nothing.
  std::unique_ptr<JournalStore> openToRead();
  // The calendar synchronisation's state kept in store.
  std::unique_ptr<SyncState> syncState(JournalStore& store) const {
    return stores_.syncState(store);
  }
  // The records of imported entries kept in store.
  std::unique_ptr<ImportLedger> importLedger(JournalStore& store) const {
    return stores_.importLedger(store);
  }
  // The clients, rates and invoiced periods kept in store.
  std::unique_ptr<BillingStore> billing(JournalStore& store) const {
    return stores_.billing(store);
  }
  // A Hamster database, to read only.
  std::unique_ptr<HamsterFacts> openHamster(const std::string& path) const {
    return stores_.openHamster(path);
  }

  // Saves what can be read of the store, found damaged, into the new store file; returns what
  // was saved.
  std::string recover(const std::string& target) { return stores_.recover(storePath(), target); }

  // Standard output for "" and "-", else the file (see refuseStoreFile).
  TextOutput output(const std::string& target);
  // Throws UsageError when writing to target would write into the store's own files.
  void refuseStoreFile(const std::string& target);

  // The user's settings, with a warning for each value the file holds that a setting does not
  // take.
  Settings settings();

  // A line "tallyworks: warning: ..." on standard error: the command goes on.
  void warn(const std::string& text);

  std::istream& in() const { return in_; }
  const Clock& clock() const { return clock_; }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool outIsTerminal_;
  const StoreOpener& stores_;
  const Clock& clock_;
  std::string storePath_;
};

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// What the calendar synchronisation remembers between runs, kept beside the journal in the
// same store: one row per synchronised item, the state of each server collection (the time log
// and one or more task lists) and the conflict copies. The rows are the offline queue: an item
// whose local fields no longer match its row's digest, an item without a row and a row without its
// item are the changes still to send. Calls join a transaction of the journal store
// (JournalStore::transact), so that received changes and the collection state that brought them are
// stored together.
class SyncState {
 public:
  enum class Kind { Task, Entry };

  struct Item {
    Kind kind = Kind::Task;
    std::string uid;
    // The resource's path on the server; empty while the server has no copy.
    std::string href;
    std::string etag;
    // The iCalendar object as last synchronised (the server's copy, with other programs'
    // properties); empty when there is none.
    std::string ical;
    // A digest of the local fields as last synchronised; 0 when they still have to be sent.
    std::uint64_t digest = 0;
  };

  struct Collection {
    std::string url;
    // The address the collection was found from (the configured server url).
    std::string home;
    std::string syncToken;
    std::string ctag;
    // When the server last refused the sync-collection report (seconds since 1970, UTC); 0
    // while it has it. The ctag is used then, and the report tried again a day later.
    std::int64_t reportRefused = 0;
  };

  // A change that is not sent by itself: one the server refused, held until the local item
  // changes again or the user retries it, or an item the user keeps here only.
  struct Hold {
    Kind kind = Kind::Task;
    std::string uid;
    // The item stays here and is never sent (a creation the user gave up).
    bool hereOnly = false;
    // The digest of the refused local fields; 0 for a refused deletion.
    std::uint64_t digest = 0;
    // The server's HTTP status and its own words; 0 and why for an item kept here only.
    int status = 0;
    std::string reason;
    // Seconds since 1970 (UTC).
    std::int64_t since = 0;
  };

  // A local version that lost to the server's where both sides changed the same field.
  struct ConflictCopy {
    std::int64_t id = 0;
    Kind kind = Kind::Task;
    std::string uid;
    // The names of the fields both sides changed, separated by ", ".
    std::string fields;
    // The local version as an iCalendar object.
    std::string localIcal;
    // When it was kept, seconds since 1970 (UTC).
    std::int64_t saved = 0;
  };

  virtual ~SyncState() = default;

  // Every row of the kind, without its iCalendar text (ical empty): item() and itemAt() give
  // that.
  virtual std::vector<Item> items(Kind kind) = 0;
  virtual std::optional<Item> item(Kind kind, std::string_view uid) = 0;
  virtual std::optional<Item> itemAt(Kind kind, std::string_view href) = 0;
  // Adds the row or replaces the row of the same kind and uid.
  virtual void putItem(const Item& item) = 0;
  virtual void removeItem(Kind kind, std::string_view uid) = 0;

  // The kind's default collection, where its new items go (the time log, the task list new
  // tasks go to); an empty collection (no url) when none is stored.
  virtual Collection collection(Kind kind) = 0;
  // The kind's collection at url; an empty one when none is stored.
  virtual Collection collectionAt(Kind kind, std::string_view url) = 0;
  // Every collection of the kind, in the order of their urls.
  virtual std::vector<Collection> collections(Kind kind) = 0;
  // Adds the collection, or replaces the kind's collection at the same url (which stays its
  // default or not). The first collection of a kind becomes its default.
  virtual void putCollection(Kind kind, const Collection& collection) = 0;
  // The kind's stored collection at url becomes its default.
  virtual void makeDefault(Kind kind, std::string_view url) = 0;
  // Forgets the state of the kind's collection at url; the rows of its items stay.
  virtual void removeCollection(Kind kind, std::string_view url) = 0;
  // Forgets the rows, holds and the collections of a kind, as when another collection takes
  // their place: every local item of the kind is then new to the server.
  virtual void forget(Kind kind) = 0;

  virtual std::vector<Hold> holds(Kind kind) = 0;
  // Adds the hold or replaces the one of the same kind and uid.
  virtual void putHold(const Hold& hold) = 0;
  virtual void removeHold(Kind kind, std::string_view uid) = 0;

  // Returns the copy's id.
  virtual std::int64_t addConflict(const ConflictCopy& copy) = 0;
  // Oldest first.
  virtual std::vector<ConflictCopy> conflicts() = 0;
  virtual void removeConflict(std::int64_t id) = 0;
};

}  // namespace tw

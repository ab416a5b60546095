#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {

class Connection;
class StoreItem;

inline constexpr int olTaskItem = 3;
inline constexpr int olJournalItem = 4;

// A view of one folder's items. Enumeration (forEach) is in insertion order. Sort and
// Restrict change what Count and Item see; both are evaluated lazily by the store, so a
// newest-first scan reads only the items it looks at.
class Items {
 public:
  Items(std::shared_ptr<Connection> connection, int folder);

  long Count() const;
  // 1-based; throws StoreError outside 1..Count().
  std::shared_ptr<StoreItem> Item(long index) const;
  // "[Start]" (any letter case) only; stable: equal starts keep insertion order.
  void Sort(const std::string& property, bool descending = false);
  // A filter of the form  [Type] = 'TEXT'  or  [Subject] = 'TEXT'  (exact, case-sensitive).
  Items Restrict(const std::string& filter) const;
  // olJournalItem (4) in the journal folder, olTaskItem (3) in the tasks folder: a new item,
  // not in the folder until its first Save.
  std::shared_ptr<StoreItem> Add(int itemType);
  // Every item once, in insertion order; the callback returns false to stop early.
  void forEach(const std::function<bool(const std::shared_ptr<StoreItem>&)>& visit) const;
  // The item with this id (StoreItem::id) in this view, or nullptr when there is none.
  std::shared_ptr<StoreItem> find(std::int64_t id) const;

 private:
  std::shared_ptr<Connection> connection_;
  int folder_;
  bool sorted_ = false;
  bool descending_ = false;
  std::string restrictColumn_;
  std::string restrictValue_;

  // Item(i) reads the view a page at a time; a call for the item after the page continues
  // from the page's last row, so a walk from 1 upwards reads each row once.
  struct Position {
    std::int64_t start = 0;
    std::int64_t id = 0;
  };
  void readPage(long first, const Position* after, long size) const;
  mutable std::vector<std::shared_ptr<StoreItem>> page_;
  mutable long pageFirst_ = 0;
  mutable Position pageLast_;
};

}  // namespace tw

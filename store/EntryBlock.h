#pragma once

#include <cstddef>
#include <memory>

#include "model/JournalEntry.h"

namespace tw {

// A run of JournalEntry records in one allocation that the kernel may back with huge pages.
// A report over a large journal holds a million entries; made one by one, their allocations
// and first-touch page faults cost more than reading the store itself. Entries handed out as
// shared pointers keep their whole block alive.
class EntryBlock {
 public:
  explicit EntryBlock(std::size_t capacity);
  ~EntryBlock();
  EntryBlock(const EntryBlock&) = delete;
  EntryBlock& operator=(const EntryBlock&) = delete;

  std::size_t capacity() const { return capacity_; }
  JournalEntry& operator[](std::size_t i) { return entries_[i]; }

 private:
  std::size_t capacity_;
  std::size_t bytes_;
  JournalEntry* entries_;
};

}  // namespace tw

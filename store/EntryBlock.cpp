#include "store/EntryBlock.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace tw {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

EntryBlock::EntryBlock(std::size_t capacity)
    : capacity_(capacity), bytes_(capacity * sizeof(JournalEntry)) {
  void* memory = nullptr;
  if (bytes_ >= kHugePage) {
    bytes_ = (bytes_ + kHugePage - 1) / kHugePage * kHugePage;
    memory = std::aligned_alloc(kHugePage, bytes_);
    // Only advice: without huge pages the block works the same.
    if (memory) madvise(memory, bytes_, MADV_HUGEPAGE);
  } else {
    memory = std::malloc(bytes_);
  }
  if (!memory) throw std::bad_alloc();
  entries_ = static_cast<JournalEntry*>(memory);
  for (std::size_t i = 0; i < capacity_; ++i) new (&entries_[i]) JournalEntry();
}

EntryBlock::~EntryBlock() {
  for (std::size_t i = 0; i < capacity_; ++i) entries_[i].~JournalEntry();
  std::free(entries_);
}

}  // namespace tw

#include "store/JournalReader.h"

#include <algorithm>

#include "store/Connection.h"
#include "store/EntryBlock.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/Statement.h"
#include "store/StoreError.h"

namespace tw {
namespace {

constexpr std::size_t kFirstBlock = 64;
constexpr std::size_t kLargestBlock = (std::size_t{8} << 20) / sizeof(JournalEntry);

}  // namespace

JournalReader::JournalReader(const MAPIFolder& journal) : connection_(journal.connection()) {
  if (journal.folderId() != olFolderJournal)
    throw StoreError("Only the journal folder can be read as journal entries.");
}

std::size_t JournalReader::read(const Sink& sink, const Progress& progress,
                                std::size_t every) const {
  Statement s(*connection_, Connection::Access::Read,
              "SELECT id, subject, start, duration, categories, companies, type, body"
              " FROM journal ORDER BY id");
  std::size_t count = 0;
  // Entries are made in blocks that share one allocation and one reference count, growing
  // from a small first block to blocks of a few huge pages.
  std::shared_ptr<EntryBlock> block;
  std::size_t used = 0;
  std::size_t next = kFirstBlock;
  while (s.step()) {
    if (!block || used == block->capacity()) {
      block = std::make_shared<EntryBlock>(next);
      next = std::min(next * 2, kLargestBlock);
      used = 0;
    }
    std::shared_ptr<JournalEntry> entry(block, &(*block)[used++]);
    entry->item = s.integer(0);
    entry->subject = s.text(1);
    entry->start = DateTime::fromSeconds(s.integer(2));
    entry->duration = static_cast<std::int32_t>(s.integer(3));
    entry->Category = s.text(4);
    entry->company = s.text(5);
    entry->entrytype = s.text(6);
    entry->notes = s.text(7);
    sink(std::move(entry));
    ++count;
    if (progress && every > 0 && count % every == 0) progress(count);
  }
  return count;
}

}  // namespace tw

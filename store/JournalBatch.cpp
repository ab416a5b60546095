#include "store/JournalBatch.h"

#include "store/Connection.h"
#include "store/JournalItemFields.h"
#include "store/MAPIFolder.h"
#include "store/NameSpace.h"
#include "store/Schema.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

namespace tw {

JournalBatch::JournalBatch(const MAPIFolder& journal) : connection_(journal.connection()) {
  if (journal.folderId() != olFolderJournal)
    throw StoreError("Journal items can be added only to the journal folder.");
  // Room for the index pages a large batch touches.
  connection_->execute("PRAGMA cache_size = -1048576");
  transaction_ = std::make_unique<Transaction>(*connection_);
  // A trigger on every insert makes SQLite keep a statement journal per row, millions of page
  // copies on a large import; the count is added once at commit instead.
  connection_->execute("DROP TRIGGER journal_added");
  insert_ = std::make_unique<Statement>(*connection_, Connection::Access::Write,
                                        JournalItem::Fields::kInsert);
}

JournalBatch::~JournalBatch() = default;

void JournalBatch::add(const JournalEntry& e) {
  insert_->bind(1, e.subject).bind(2, e.Category).bind(3, e.entrytype);
  insert_->bind(4, e.start.seconds()).bind(5, std::int64_t{e.duration});
  insert_->bind(6, e.company).bind(7, e.notes);
  insert_->run();
  insert_->reset();
  ++added_;
}

void JournalBatch::commit() {
  insert_.reset();
  Statement count(*connection_, Connection::Access::Write,
                  "UPDATE counts SET n = n + ?1 WHERE folder = 'journal'");
  count.bind(1, added_).run();
  connection_->execute(Schema::kJournalAddedTrigger);
  transaction_->commit();
}

}  // namespace tw

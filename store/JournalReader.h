#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include "model/JournalEntry.h"

namespace tw {

class Connection;
class MAPIFolder;

// The fast way to read the whole journal for a report: one pass over the journal folder, in
// enumeration order, handing each item's seven properties and id over as a JournalEntry.
class JournalReader {
 public:
  using Sink = std::function<void(std::shared_ptr<JournalEntry>)>;
  // Told how many items have been read so far.
  using Progress = std::function<void(std::size_t)>;

  // The folder must be the journal; another folder throws StoreError.
  explicit JournalReader(const MAPIFolder& journal);

  // Calls sink once per item and, when given, progress after every `every` items. Returns the
  // number of items read. Store failures throw StoreError; what sink or progress throw passes
  // through.
  std::size_t read(const Sink& sink, const Progress& progress = {},
                   std::size_t every = 10000) const;

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace tw

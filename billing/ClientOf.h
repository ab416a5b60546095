#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/JournalEntry.h"
#include "store/Client.h"

namespace tw {

// Which client an entry belongs to: the client whose name is one of its categories (the
// categories text read as a list, core/CategoryList, names compared letter case aside). An
// entry naming no client has none; one naming two or more belongs to none of them and is a
// problem of the bill, never counted twice.
class ClientOf {
 public:
  struct Answer {
    enum class Kind { None, One, Several };
    Kind kind = Kind::None;
    // The client (Kind::One), or the first of those named (Kind::Several); null for None.
    const Client* client = nullptr;
    // The names of every client named, as the clients spell them (Kind::Several).
    std::vector<std::string> names;
  };

  explicit ClientOf(std::vector<Client> clients);

  Answer of(std::string_view categories) const;
  Answer of(const JournalEntry& entry) const { return of(entry.categories); }
  // By name, letter case aside; null when no client has it.
  const Client* named(std::string_view name) const;
  const std::vector<Client>& clients() const { return clients_; }

 private:
  std::vector<Client> clients_;
  // Folded name -> index in clients_.
  std::unordered_map<std::string, std::size_t> byKey_;
};

}  // namespace tw

#include "billing/ClientOf.h"

#include "core/CaseFold.h"
#include "core/CategoryList.h"

namespace tw {

ClientOf::ClientOf(std::vector<Client> clients) : clients_(std::move(clients)) {
  for (std::size_t i = 0; i < clients_.size(); ++i)
    byKey_.emplace(CaseFold::key(clients_[i].name), i);
}

ClientOf::Answer ClientOf::of(std::string_view categories) const {
  Answer answer;
  for (std::string_view name : CategoryList::split(categories)) {
    const Client* c = named(name);
    if (c == nullptr || (answer.client != nullptr && answer.client->id == c->id)) continue;
    if (answer.client == nullptr) {
      answer.client = c;
      answer.kind = Answer::Kind::One;
      answer.names.push_back(c->name);
      continue;
    }
    bool seen = false;
    for (const std::string& n : answer.names) seen = seen || n == c->name;
    if (!seen) answer.names.push_back(c->name);
    answer.kind = answer.names.size() > 1 ? Answer::Kind::Several : answer.kind;
  }
  return answer;
}

const Client* ClientOf::named(std::string_view name) const {
  const auto found = byKey_.find(CaseFold::key(name));
  return found == byKey_.end() ? nullptr : &clients_[found->second];
}

}  // namespace tw

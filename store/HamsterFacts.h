#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw {

// The facts of a Hamster time tracker database, read without changing the file. Values come as
// the file holds them (times as Hamster's local "YYYY-MM-DD HH:MM:SS" texts); the reader of the
// foreign journal decides what they mean. Every failure (no such file, a database of another
// program, a damaged one, a value of the wrong type or too long) throws StoreError naming the
// file and, for a value, the fact.
class HamsterFacts {
 public:
  struct Fact {
    std::int64_t id = 0;
    std::string start;
    // Empty while the fact is still going on.
    std::string end;
    std::string activity;
    // Empty for activities without a category (Hamster's "Unsorted").
    std::string category;
    std::string description;
    // In the order they were given.
    std::vector<std::string> tags;
  };
  using Visitor = std::function<void(const Fact&)>;

  // The longest text value read; a longer one is refused.
  static constexpr std::size_t kMostText = 64 * 1024;

  virtual ~HamsterFacts() = default;
  // Every fact, in the order of their starts (equal starts by id).
  virtual void visit(const Visitor& visitor) = 0;
};

}  // namespace tw

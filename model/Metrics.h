#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Metric.h"

namespace tw {

// Minutes per category name, one Metric per distinct name in order of first addition. A name
// given to Add or GetValue is a textLike pattern against the stored names; the first stored
// name it matches is the one meant. Names without wildcard characters are found through an
// index, which gives the same Metric as the walk from the front.
class Metrics {
 public:
  void Add(std::string_view name, double value);
  // The total of the first matching Metric, or 0.
  double GetValue(std::string_view name) const;
  // The list itself, in order of first addition.
  const std::vector<Metric>& GetAll() const { return metricList; }

 private:
  // Index into metricList of the first Metric the pattern matches, or npos.
  std::size_t find(std::string_view name) const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  std::vector<Metric> metricList;
  // Folded name -> position; stored names are distinct without regard to case, because a
  // name equal to a stored one always matches it.
  std::unordered_map<std::u32string, std::size_t> byKey_;
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // Exact pattern text -> position found by Add; the first match of a pattern never moves,
  // as the list only grows at its end.
  std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>> addCache_;
};

}  // namespace tw

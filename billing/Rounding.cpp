#include "billing/Rounding.h"

#include <algorithm>
#include <array>

#include "billing/BillingError.h"
#include "core/BillingTerms.h"

namespace tw {
namespace {

template <typename T>
T parseWord(std::string_view word, const std::array<std::string_view, 3>& words) {
  for (std::size_t i = 0; i < words.size(); ++i)
    if (word == words[i]) return static_cast<T>(i);
  throw BillingError("\"" + std::string(word) + "\" is not one of " + std::string(words[0]) + ", " +
                     std::string(words[1]) + ", " + std::string(words[2]));
}

}  // namespace

bool Rounding::allowedMinutes(int minutes) {
  const std::vector<int>& offered = BillingTerms::roundingMinutes();
  return std::find(offered.begin(), offered.end(), minutes) != offered.end();
}

std::int64_t Rounding::apply(std::int64_t seconds, const RoundingRule& rule) {
  if (rule.minutes <= 0 || seconds <= 0) return seconds;
  const std::int64_t step = std::int64_t{rule.minutes} * 60;
  const std::int64_t down = seconds / step * step;
  const std::int64_t rest = seconds - down;
  switch (rule.mode) {
    case RoundingRule::Mode::Up:
      return rest == 0 ? seconds : down + step;
    case RoundingRule::Mode::Down:
      return down;
    case RoundingRule::Mode::Nearest:
      return rest * 2 >= step ? down + step : down;
  }
  return seconds;
}

RoundingRule::Mode Rounding::parseMode(std::string_view word) {
  return parseWord<RoundingRule::Mode>(word, BillingTerms::roundingModes());
}

RoundingRule::Place Rounding::parsePlace(std::string_view word) {
  return parseWord<RoundingRule::Place>(word, BillingTerms::roundingPlaces());
}

std::string_view Rounding::modeWord(RoundingRule::Mode mode) {
  return BillingTerms::roundingModes().at(static_cast<std::size_t>(mode));
}

std::string_view Rounding::placeWord(RoundingRule::Place place) {
  return BillingTerms::roundingPlaces().at(static_cast<std::size_t>(place));
}

std::string Rounding::describe(const RoundingRule& rule) {
  if (rule.minutes <= 0) return "none";
  static constexpr std::array<const char*, 3> kWhere = {"each entry", "each task per day",
                                                        "each task's total"};
  return std::to_string(rule.minutes) + " min " + std::string(modeWord(rule.mode)) + ", " +
         kWhere.at(static_cast<std::size_t>(rule.place));
}

}  // namespace tw

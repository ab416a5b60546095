#include "billing/Rounding.h"

#include <array>

#include "billing/BillingError.h"

namespace tw {
namespace {

constexpr std::array<std::string_view, 3> kModes = {"up", "nearest", "down"};
constexpr std::array<std::string_view, 3> kPlaces = {"entry", "day", "total"};

template <typename T>
T parseWord(std::string_view word, const std::array<std::string_view, 3>& words) {
  for (std::size_t i = 0; i < words.size(); ++i)
    if (word == words[i]) return static_cast<T>(i);
  throw BillingError("\"" + std::string(word) + "\" is not one of " + std::string(words[0]) + ", " +
                     std::string(words[1]) + ", " + std::string(words[2]));
}

}  // namespace

bool Rounding::allowedMinutes(int minutes) {
  for (int m : {0, 1, 5, 6, 10, 15, 30, 60})
    if (m == minutes) return true;
  return false;
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
  return parseWord<RoundingRule::Mode>(word, kModes);
}

RoundingRule::Place Rounding::parsePlace(std::string_view word) {
  return parseWord<RoundingRule::Place>(word, kPlaces);
}

std::string_view Rounding::modeWord(RoundingRule::Mode mode) {
  return kModes.at(static_cast<std::size_t>(mode));
}

std::string_view Rounding::placeWord(RoundingRule::Place place) {
  return kPlaces.at(static_cast<std::size_t>(place));
}

std::string Rounding::describe(const RoundingRule& rule) {
  if (rule.minutes <= 0) return "none";
  static constexpr std::array<const char*, 3> kWhere = {"each entry", "each task per day",
                                                        "each task's total"};
  return std::to_string(rule.minutes) + " min " + std::string(modeWord(rule.mode)) + ", " +
         kWhere.at(static_cast<std::size_t>(rule.place));
}

}  // namespace tw

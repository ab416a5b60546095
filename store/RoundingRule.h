#pragma once

namespace tw {

// How a client's billed lengths are rounded: to a multiple of an increment of minutes, in one
// direction, at one place. An increment of 0 bills the seconds as timed.
struct RoundingRule {
  enum class Mode { Up = 0, Nearest = 1, Down = 2 };
  enum class Place {
    // Each journal entry on its own.
    Entry = 0,
    // The time of each task on each day.
    TaskDay = 1,
    // The time of each task over the whole period billed.
    TaskTotal = 2,
  };

  int minutes = 0;
  Mode mode = Mode::Nearest;
  Place place = Place::Entry;

  friend bool operator==(const RoundingRule&, const RoundingRule&) = default;
};

}  // namespace tw

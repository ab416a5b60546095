#include <gtest/gtest.h>

#include <limits>

#include "core/DurationText.h"
#include "core/JournalEntry.h"
#include "core/Markers.h"
#include "core/NumberText.h"

namespace tw {
namespace {

TEST(DurationText, FriendlyForm) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0 minutes"},          {1, "1 minutes"},
      {59, "59 minutes"},        {60, "1 hour"},
      {61, "1 hour, 1 minutes"}, {119, "1 hour, 59 minutes"},
      {120, "2 hours"},          {150, "2 hours, 30 minutes"},
      {-5, "-5 minutes"},        {-600, "-600 minutes"},
      {6000, "100 hours"}};
  for (const auto& [minutes, text] : cases) EXPECT_EQ(DurationText::friendly(minutes), text);
}

TEST(DurationText, DecimalHoursToTwoPlaces) {
  const std::pair<std::int32_t, double> cases[] = {
      {0, 0.0},    {30, 0.5}, {45, 0.75}, {125, 2.08}, {90, 1.5},    {20, 0.33},
      {100, 1.67}, {1, 0.02}, {40, 0.67}, {60, 1.0},   {-20, -0.33}, {-1, -0.02}};
  for (const auto& [minutes, hours] : cases)
    EXPECT_EQ(DurationText::decimalHours(minutes), hours) << minutes;
  EXPECT_EQ(DurationText::decimalHours(std::numeric_limits<std::int32_t>::max()), 35791394.12);
}

// Seconds are kept; the whole minutes shown are the seconds rounded down.
TEST(JournalEntryMinutes, AreTheSecondsRoundedDown) {
  const std::pair<std::int64_t, std::int32_t> cases[] = {
      {0, 0},     {59, 0},   {60, 1},   {5699, 94},
      {5700, 95}, {-60, -1}, {-61, -2}, {1LL << 40, 2147483647}};
  for (const auto& [seconds, minutes] : cases) {
    JournalEntry e;
    e.seconds = seconds;
    EXPECT_EQ(e.minutes(), minutes) << seconds;
  }
}

// What a work marker is and what counts as work, for every report, window and total: the type
// or the category is one of the three exact names.
TEST(Markers, ByTypeAndCategory) {
  const struct {
    const char* type;
    const char* categories;
    bool marker;
    bool work;
  } cases[] = {
      {"TWEvent", "Tallyworks Start", true, false},
      {"TWEvent", "Design", true, false},
      {"Tallyworks Stop", "", true, false},
      {"Tallyworks Start", "Design", true, false},
      {"Task", "Design", false, true},
      {"PJ_Task", "", false, true},
      {"Task", "TWEvent", false, false},
      {"Task", "Tallyworks Stop", false, false},
      {"twevent", "tallyworks start", false, true},
      {"TWEvent ", " TWEvent", false, true},
      {"Start Work", "Stop Work", false, true},
  };
  for (const auto& c : cases) {
    JournalEntry e;
    e.type = c.type;
    e.categories = c.categories;
    EXPECT_EQ(Markers::isMarker(e), c.marker) << c.type << " / " << c.categories;
    EXPECT_EQ(Markers::countsAsWork(e), c.work) << c.type << " / " << c.categories;
  }
}

TEST(NumberText, GeneralForm) {
  const std::pair<double, const char*> cases[] = {{1.5, "1.5"},
                                                  {0.33, "0.33"},
                                                  {2, "2"},
                                                  {0, "0"},
                                                  {-0.0, "0"},
                                                  {-2.08, "-2.08"},
                                                  {1234567.89, "1234567.89"},
                                                  {35791394.13, "35791394.13"},
                                                  {1e16, "1E+16"},
                                                  {0.00001, "1E-5"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(NumberText::general(number), text) << text;
}

}  // namespace
}  // namespace tw

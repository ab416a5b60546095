#include <gtest/gtest.h>

#include <limits>

#include "model/JournalEntry.h"
#include "model/NumberText.h"
#include "model/Utilities.h"

using tw::JournalEntry;

namespace {

JournalEntry lasting(std::int32_t minutes) {
  JournalEntry e;
  e.duration = minutes;
  return e;
}

}  // namespace

TEST(JournalEntryDuration, FriendlyForm) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0 minutes"},          {1, "1 minutes"},
      {59, "59 minutes"},        {60, "1 hour"},
      {61, "1 hour, 1 minutes"}, {119, "1 hour, 59 minutes"},
      {120, "2 hours"},          {150, "2 hours, 30 minutes"},
      {-5, "-5 minutes"},        {-600, "-600 minutes"},
      {6000, "100 hours"}};
  for (const auto& [minutes, text] : cases) {
    EXPECT_EQ(lasting(minutes).friendlyDuration(), text) << minutes;
  }
}

TEST(JournalEntryDuration, DecimalHoursToTwoPlaces) {
  const std::pair<std::int32_t, double> cases[] = {
      {0, 0.0},    {30, 0.5}, {45, 0.75}, {125, 2.08}, {90, 1.5},    {20, 0.33},
      {100, 1.67}, {1, 0.02}, {40, 0.67}, {60, 1.0},   {-20, -0.33}, {-1, -0.02}};
  for (const auto& [minutes, hours] : cases) {
    EXPECT_EQ(lasting(minutes).decimalDuration(), hours) << minutes;
  }
  EXPECT_EQ(lasting(std::numeric_limits<std::int32_t>::max()).decimalDuration(), 35791394.12);
}

TEST(EventMarker, OnlyTheThreeExactTexts) {
  for (const char* yes : {"Tallyworks Stop", "Tallyworks Start", "TWEvent"}) {
    EXPECT_TRUE(tw::Utilities::isEventMarker(yes)) << yes;
  }
  for (const char* no : {"twevent", "TWEvent ", " TWEvent", "Start Work", "Tallyworks start", ""}) {
    EXPECT_FALSE(tw::Utilities::isEventMarker(no)) << no;
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
  for (const auto& [number, text] : cases) EXPECT_EQ(tw::NumberText::general(number), text) << text;
}

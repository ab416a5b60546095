// Starts typed on the command line on the nights the clocks change (Europe/Berlin).
#include "CliFixture.h"
#include "core/DateText.h"
#include "tests/support/Entries.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw::test {
namespace {

class ClockChangeTest : public CliTest {
 protected:
  void SetUp() override { ASSERT_EQ(run({"task", "add", "Write"}), 0); }

 private:
  ScopedTimeZone berlin_{"Europe/Berlin"};
};

// A start the clocks skip is refused with a message; in the hour they repeat the first is
// taken unless the offset is given.
TEST_F(ClockChangeTest, StartsTheClocksSkipAreRefusedAndRepeatedOnesTakeTheFirst) {
  const std::vector<std::string> add = {"journal",   "add", "--subject", "Write",
                                        "--minutes", "10",  "--start"};
  const auto adding = [&](const std::string& start) {
    std::vector<std::string> args = add;
    args.push_back(start);
    return args;
  };
  const CommandCase cases[] = {
      {adding("2024-03-31T02:30"), "", 1,
       "3/31/2024 2:30:00 AM does not exist here: the clocks went forward from 2:00:00 AM to "
       "3:00:00 AM"},
      {adding("3/31/2024 2:05 AM"), "", 1, "does not exist here"},
      {adding("2024-03-31T02:30+02:00"), "", 0, ""},
      {adding("2024-10-27T02:30"), "", 0, ""},
      {adding("2024-10-27T02:40+01:00"), "", 0, ""},
      {adding("2024-10-27T02:45Z"), "", 0, ""},
      {adding("2024-10-27T02:30+15:00"), "", 2, "is not a UTC offset"},
      {{"journal", "import", "-"},
       "{\"subject\":\"Write\",\"start\":\"2024-03-31T02:10:00\"}\n",
       1,
       "does not exist here"},
  };
  for (const CommandCase& c : cases) expectCase(c);
  // The local start and the offset of each entry.
  std::string starts;
  for (const JournalEntry& e : allEntries(*opener.open(store, StoreOpener::Access::ReadOnly)))
    starts += DateText::iso(e.localStart()) + " " + std::to_string(e.utcOffset) + "\n";
  EXPECT_EQ(starts,
            "2024-03-31T02:30:00 7200\n2024-10-27T02:30:00 7200\n2024-10-27T02:40:00 3600\n"
            "2024-10-27T02:45:00 0\n");
}

}  // namespace
}  // namespace tw::test

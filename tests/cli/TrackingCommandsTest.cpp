// start, pause, stop, last and status.
#include "CliFixture.h"

namespace tw::test {
namespace {

class TrackingCommandsTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(run({"task", "add", "Write", "--categories", "Docs"}), 0);
    ASSERT_EQ(run({"task", "add", "Review"}), 0);
    ASSERT_EQ(run({"task", "add", "Old", "--status", "2"}), 0);
  }
  // Minutes and subject of each journal entry, in start order.
  std::vector<std::string> journal() {
    std::vector<std::string> entries;
    std::istringstream lines(output({"journal", "list"}));
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> fields;
      std::istringstream split(line);
      for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
      entries.push_back(fields.at(2) + ' ' + fields.at(3));
    }
    return entries;
  }
};

TEST_F(TrackingCommandsTest, EachCommandIsOneStepOfTheTimerKeptInTheStore) {
  const struct {
    std::int64_t secondsBefore;
    std::vector<std::string> args;
    int code;
    std::string output;
  } steps[] = {
      {0, {"status"}, 0, "Stopped\n"},
      {0, {"start", "write"}, 0, ""},
      {300, {"status"}, 0, "Write\tDocs\t5\n"},
      {60, {"start", "Review"}, 0, ""},
      {120, {"pause"}, 0, ""},
      {0, {"status"}, 0, "Stopped\n"},
      {0, {"last"}, 0, "Review\n"},
      {180, {"stop"}, 0, ""},
      {0,
       {"stop"},
       0,
       "Nothing was being timed and no working day was open; nothing was written.\n"},
      {0, {"pause"}, 0, "Nothing was being timed; nothing was written.\n"},
      {0, {"start", "Old"}, 1, ""},
      {0, {"start", "Missing"}, 1, ""},
      {0, {"start", ""}, 2, ""},
  };
  for (const auto& step : steps) {
    clock.advance(step.secondsBefore);
    EXPECT_EQ(run(step.args), step.code) << step.args[0] << ' ' << err.str();
    EXPECT_EQ(out.str(), step.output) << step.args[0];
  }
  EXPECT_EQ(journal(), (std::vector<std::string>{"0 Start Work", "6 Write", "2 Review", "3 Review",
                                                 "0 Stop Work"}));
}

TEST_F(TrackingCommandsTest, LastNeedsAnEntryOfAnOpenTask) {
  EXPECT_EQ(run({"last"}), 1);
  EXPECT_EQ(err.str(), "tallyworks: No journal entry names an open task.\n");
  EXPECT_EQ(journal(), std::vector<std::string>{});
}

}  // namespace
}  // namespace tw::test

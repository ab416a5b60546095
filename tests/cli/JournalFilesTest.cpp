// journal import and export.
#include "CliFixture.h"
#include "tests/support/ScopedTimeZone.h"

namespace tw::test {
namespace {

class JournalFilesTest : public CliTest {
 protected:
  std::string exported() { return output({"journal", "export"}); }

  const ScopedTimeZone newYork_{"America/New_York"};
};

const std::string kLines =
    R"({"subject":"Write","start":"2024-07-01T09:00:00","duration":90,"categories":"Docs","type":"Task","companies":"Acme","body":"first"})"
    "\n\r\n"
    R"({"subject":"Call","start":"2024-01-02T10:00:00","duration":5,"seconds":61,"utc_offset":3600,"uid":"call-1","task":"t-1"})"
    "\r\n"
    R"({"subject":"Bare","start":"2024-01-03T08:00:00"})"
    "\n";

TEST_F(JournalFilesTest, ExportWritesEveryKeyAndTheZoneOrGivenOffsetOfEachStart) {
  ASSERT_EQ(run({"journal", "import", "-"}, kLines), 0) << err.str();
  const std::string lines = exported();
  const std::string first = lines.substr(0, lines.find('\n'));
  EXPECT_EQ(
      first.substr(0, first.find(R"(,"uid":")")),
      R"({"subject":"Write","start":"2024-07-01T09:00:00","duration":90,"categories":"Docs","type":"Task","companies":"Acme","body":"first")");
  EXPECT_TRUE(has(first, R"("seconds":5400,"utc_offset":-14400,"task":""})"));
  EXPECT_TRUE(has(
      lines,
      R"({"subject":"Call","start":"2024-01-02T10:00:00","duration":1,"categories":"","type":"","companies":"","body":"","uid":"call-1","seconds":61,"utc_offset":3600,"task":"t-1"})"))
      << lines;
  EXPECT_TRUE(has(lines, R"("duration":0,)"));
  EXPECT_TRUE(has(lines, R"("utc_offset":-18000,)")) << "winter in New York";
}

TEST_F(JournalFilesTest, ExportAndImportMakeALosslessRoundTripThatNeverDoublesEntries) {
  ASSERT_EQ(run({"journal", "import", "-"}, kLines), 0) << err.str();
  const std::string before = exported();
  const std::string file = folder.file("journal.jsonl");
  ASSERT_EQ(output({"journal", "export", file}), "");
  EXPECT_EQ(readBytes(file), before);
  ASSERT_EQ(run({"journal", "import", file}), 0) << err.str();
  EXPECT_EQ(exported(), before) << "importing the same entries again updates them";

  store = folder.file("second.db");
  ASSERT_EQ(run({"journal", "import", file}), 0) << err.str();
  const ScopedTimeZone machine(nullptr);
  EXPECT_EQ(exported(), before) << "starts keep their offsets in another zone";
}

TEST_F(JournalFilesTest, OneBadLineImportsNothingAndTheMessageSaysWhatIsWrongWhere) {
  ASSERT_EQ(run({"journal", "import", "-"}, kLines), 0);
  const std::string before = exported();
  const std::string ok = R"({"subject":"ok","start":"2024-03-01T09:00:00"})"
                         "\n";
  const CommandCase cases[] = {
      {{}, ok + R"({"subject":"x"})", 1, "line 2: \"start\" is missing"},
      {{},
       ok + "\n" + R"({"start":"2024-02-30T00:00:00"})",
       1,
       "line 3: \"start\": '2024-02-30T00:00:00' is not a date-time: February 30, 2024 does not "
       "exist"},
      {{}, R"({"start":"2024-03-01"})", 1, "is not YYYY-MM-DDTHH:MM:SS"},
      {{},
       R"({"start":"2024-03-01T09:00:00","duration":1000001})",
       1,
       "\"duration\" is 1000001, out of range (0 to 1000000 minutes)"},
      {{}, R"({"start":"2024-03-01T09:00:00","duration":-1})", 1, "\"duration\" is -1"},
      {{}, R"({"start":"2024-03-01T09:00:00","duration":1.5})", 1, "not a whole number"},
      {{}, R"({"start":"2024-03-01T09:00:00","seconds":60000001})", 1, "\"seconds\" is 60000001"},
      {{}, R"({"start":"2024-03-01T09:00:00","utc_offset":86400})", 1, "\"utc_offset\" is 86400"},
      {{}, R"({"start":"2024-03-01T09:00:00","duration":18446744073709551615})", 1, "out of range"},
      {{},
       ok + std::string(R"({"start":"2024-03-01T09:00:00","body":"a)") + '\0' + "\"}",
       1,
       "line 2: it holds a NUL byte"},
      {{}, R"({"start":"2024-03-01T09:00:00","body":"a\u0000"})", 1, "\"body\" holds a NUL"},
      {{},
       ok + ok + R"({"start":"2024-03-01T09:00:00","subject":"a","subject":"b"})",
       1,
       "line 3: \"subject\" is given twice"},
      {{}, R"({"start":"2024-03-01T09:00:00","subjet":"x"})", 1, "unknown key \"subjet\""},
      {{}, R"({"start":"2024-03-01T09:00:00","subject":7})", 1, "\"subject\" is not a text"},
      {{}, R"(["not","an","object"])", 1, "line 1: it is not a JSON object"},
      {{}, R"({"subject":"x",)", 1, "line 1: it is not valid JSON"},
      {{}, "{\"subject\":\"\xff\"}", 1, "line 1: it is not valid JSON"},
      {{}, R"({"subject":")" + std::string(9 << 20, 'x') + "\"}", 1, "line 1 is longer than 8 MiB"},
  };
  for (CommandCase c : cases) {
    c.args = {"journal", "import", "-"};
    expectCase(c);
    EXPECT_TRUE(has(err.str(), "nothing was imported"));
  }
  EXPECT_EQ(exported(), before);
  EXPECT_EQ(run({"journal", "import", folder.file("none.jsonl")}), 1);
  EXPECT_TRUE(has(err.str(), "cannot be read"));
  EXPECT_EQ(run({"journal", "import", folder.path().string()}), 1);
  EXPECT_TRUE(has(err.str(), "it is a folder, not a file"));
}

}  // namespace
}  // namespace tw::test

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/store/TempFolder.h"

namespace tw {
namespace {

std::string shellQuoted(const std::string& s) {
  return "'" + s + "'";
}

// The real executable, run without a display: the command path must not need one.
TEST(ExecutableTest, RunsCommandsWithoutADisplayAndExitsWithTheirCodes) {
  test::TempFolder folder;
  const std::string exe = TALLYWORKS_EXECUTABLE;
  const std::string store = folder.file("store.db");
  const std::string prefix = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none " +
                             shellQuoted(exe) + " --store " + shellQuoted(store) + " ";
  ASSERT_EQ(std::system((prefix + "task add Write --categories Docs").c_str()), 0);
  const std::string listed = folder.file("tasks.txt");
  ASSERT_EQ(std::system((prefix + "task list > " + shellQuoted(listed)).c_str()), 0);
  EXPECT_EQ(test::readBytes(listed), "Write\tDocs\t0\n");
  const int usage = std::system((prefix + "task add 2>/dev/null").c_str());
  EXPECT_EQ(WEXITSTATUS(usage), 2);
  const int failure = std::system(
      (prefix + "journal import " + shellQuoted(folder.file("none")) + " 2>/dev/null").c_str());
  EXPECT_EQ(WEXITSTATUS(failure), 1);
}

}  // namespace
}  // namespace tw

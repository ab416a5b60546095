// The one reader of the settings files: what it takes, and odd or hostile files it refuses
// with the line, or reads without guessing.
#include "core/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/FileError.h"
#include "core/FormatError.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TempFolder.h"

namespace tw {
namespace {

using namespace std::string_literals;

TEST(IniFileTest, ValuesAreReadAsWrittenAndMistakesNamedWithTheirLine) {
  const std::string longValue(200000, 'x');
  enum Outcome { Value, Unset, Refused };
  const struct {
    std::string text;
    const char* section;
    const char* key;
    std::string value;  // or the start of the message naming the mistake
    Outcome outcome = Value;
  } cases[] = {
      {"; comment\n# comment\n[Server]\r\nURL = https://e.org/ \n", "server", "url",
       "https://e.org/"},
      {"\xEF\xBB\xBF[a]\nk=v", "a", "k", "v"},  // a byte-order mark, no newline at the end
      {"[a]\nk = pass show x; y # z = w\n", "a", "k", "pass show x; y # z = w"},
      {"[a]\nk =\n", "a", "k", ""},
      {"  [ a ]  \n\tK\t=\tv\t\n", "A", "k", "v"},
      {"[a]\nk = 1\n[b]\nk = 2\n[a]\nj = 3\n", "a", "j", "3"},  // a section opened again
      {"[a]\nk = " + longValue + "\n", "a", "k", longValue},    // never cut
      {"[a]\nk = \xff\xfe\n", "a", "k", "\xff\xfe"},            // bytes kept as they are
      {"[a]\nother = v\n", "a", "k", "", Unset},                // not set: nothing
      {"", "a", "k", "", Unset},
      {"[a]\nk\n", "a", "k", "f.ini, line 2: expected \"name = value\"", Refused},
      {"k = v\n", "a", "k", "f.ini, line 1: the setting \"k\" comes before any [section]", Refused},
      {"[a\nk = v\n", "a", "k", "f.ini, line 1: a section name ends with \"]\"", Refused},
      {"[a]\nk = 1\nK = 2\n", "a", "k", "f.ini, line 3: \"k\" is set twice in [a]", Refused},
      {"[a]\n = v\n", "a", "k", "f.ini, line 2: a setting needs a name", Refused},
      {"[a]\nk = v\0w\n"s, "a", "k", "f.ini, line 2: it holds a NUL byte", Refused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    if (c.outcome == Refused) {
      const std::string e = test::failureOf<FormatError>([&] { IniFile::parse(c.text, "f.ini"); });
      EXPECT_EQ(e.rfind(c.value, 0), 0u) << e;
      continue;
    }
    const std::optional<std::string> value =
        IniFile::parse(c.text, "f.ini").value(c.section, c.key);
    EXPECT_EQ(value.has_value(), c.outcome == Value);
    EXPECT_EQ(value.value_or(""), c.value);
  }
}

TEST(IniFileTest, OnlyARegularFileOfSettingsSizeIsRead) {
  test::TempFolder folder;
  EXPECT_FALSE(IniFile::load(folder.file("missing.ini")));
  test::writeBytes(folder.file("small.ini"), "[a]\nk = v\n");
  EXPECT_EQ(IniFile::load(folder.file("small.ini"))->value("a", "k"), "v");
  test::writeBytes(folder.file("large.ini"), "[a]\n" + std::string(IniFile::kMostBytes, ';'));
  ASSERT_EQ(mkfifo(folder.file("fifo.ini").c_str(), 0600), 0);
  for (const char* name : {"large.ini", "fifo.ini", ""}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(IniFile::load(folder.file(name)), FileError);
  }
}

}  // namespace
}  // namespace tw

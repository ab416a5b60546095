#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CaseFold.h"
#include "core/TextLike.h"

namespace {

bool textLike(std::string_view text, std::string_view pattern) {
  return tw::TextLike::matches(text, pattern);
}

// A pattern with texts it matches and texts it does not.
struct Like {
  std::string pattern;
  std::vector<std::string> matching, other;
};

void expectLike(std::initializer_list<Like> rows) {
  for (const Like& row : rows) {
    for (const std::string& t : row.matching)
      EXPECT_TRUE(textLike(t, row.pattern)) << t << " like " << row.pattern;
    for (const std::string& t : row.other)
      EXPECT_FALSE(textLike(t, row.pattern)) << t << " like " << row.pattern;
  }
}

}  // namespace

TEST(TextLike, PlainPatternsMatchTheWholeTextWithoutRegardToCase) {
  expectLike({{"design", {"Design", "DESIGN"}, {"Desig", "Designs"}},
              {"", {""}, {"a"}},
              {"a", {"A"}, {""}},
              {"A!B]C-", {"a!b]c-"}, {}}});
}

TEST(TextLike, Wildcards) {
  expectLike({// "?" is one character, not one byte, of UTF-8 text.
              {"c?t", {"cat"}, {"ct", "coat"}},
              {"caf?", {"caf\xC3\xA9"}, {}},
              {"?", {"\xE2\x82\xAC"}, {}},
              {"??", {}, {"\xC3\xA9"}},
              // "*" is any run, including none.
              {"A*", {"Alpha", "A"}, {}},
              {"*", {""}, {}},
              {"**", {""}, {}},
              {"*b*c", {"abcabc"}, {}},
              {"*ject*", {"Project Alpha"}, {}},
              {"*B*", {}, {"Alpha"}},
              {"*b", {}, {"abc"}},
              {"a*c", {"aXbXc"}, {}},
              // "#" is one digit.
              {"Project #", {"Project 1"}, {"Project X", "Project 12"}},
              {"Project ##", {"Project 12"}, {}}});
}

TEST(TextLike, BracketListsAndRanges) {
  expectLike({{"[abc]", {"b"}, {"d"}},
              {"[a-z]", {"m", "M"}, {}},
              {"[A-Z]", {"m"}, {}},
              {"[0-37-9]", {"8"}, {"5"}},
              {"[!abc]", {"x"}, {"a", ""}},
              {"[!a-c]", {}, {"A"}},
              {"[a-c][0-9]", {"a1"}, {}},
              // Plain characters inside a list: "*", "?", "#", a leading or trailing "-".
              {"[*]", {"*"}, {"x"}},
              {"[a-]", {"-"}, {}},
              {"[-a]", {"-"}, {}},
              // An empty list matches no character; its negation any one.
              {"[]", {}, {"a"}},
              {"[!]", {"a"}, {}}});
}

TEST(TextLike, NonAsciiLettersFoldInUtf8) {
  expectLike(
      {// Plain names fold as CaseFold::equal does (its own test); these go through the matcher.
       {"\xD0\xBF\xD0\xA0\xD0\x9E*", {"\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82"}, {}},
       {"[\xC3\xA9]", {"\xC3\x89"}, {}},  // É in [é]
       {"e", {}, {"\xC3\xA9"}},           // é is not e
       {"\xC3\xB7", {}, {"\xC3\x97"}},    // × is not a letter of ÷
       {"STRASSE",
        {"Stra\u00DFe"},
        {}},  // folded fully, as CaseFold does
              // Text that is not valid UTF-8 equals only itself, letters included.
       {"a\xFF", {"a\xFF"}, {"A\xFF", "a\xFE"}},
       {"a?", {"a\xC3"}, {"A\xC3"}},
       {"I[\xFD[", {}, {"i[\xFD["}}});
  EXPECT_EQ(tw::CaseFold::decode("\xC3(").size(), 2u);
  EXPECT_EQ(tw::CaseFold::decode("\xE0\x80\xAF").size(), 3u);  // overlong form
}

// A name always matches itself; a malformed pattern (a "[" without its "]") matches nothing else.
TEST(TextLike, NamesMatchThemselvesAndMalformedPatternsNothingElse) {
  expectLike({{"Project #1", {"Project #1"}, {}},
              {"[x]", {"[x]", "[X]", "x"}, {"Alpha"}},
              {"a*", {"A*"}, {}},
              {"[a", {}, {"a"}},
              {"[a*", {}, {"[a"}},
              {"[", {}, {""}},
              {"*[!", {}, {"abc"}},
              {"[A", {"[a"}, {}}});
}

TEST(TextLike, PathologicalPatternsFinishInPolynomialTime) {
  // Exponential backtracking would take astronomically long on these; the expectations are
  // about results, the suite's own timeout catches a regression.
  const std::string text(5000, 'a');
  EXPECT_FALSE(textLike(text, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(textLike(text + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_FALSE(textLike(text, std::string(200, '*') + "?" + std::string(5000, 'a')));
}

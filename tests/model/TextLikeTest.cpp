#include <gtest/gtest.h>

#include <string>

#include "model/CaseFold.h"
#include "model/TextLike.h"

using tw::textLike;

TEST(TextLike, WholeTextMatchesPlainPatternsWithoutRegardToCase) {
  EXPECT_TRUE(textLike("Design", "design"));
  EXPECT_TRUE(textLike("DESIGN", "Design"));
  EXPECT_FALSE(textLike("Design", "Desig"));
  EXPECT_FALSE(textLike("Desig", "Design"));
  EXPECT_TRUE(textLike("", ""));
  EXPECT_FALSE(textLike("a", ""));
  EXPECT_FALSE(textLike("", "a"));
  EXPECT_TRUE(textLike("a!b]c-", "A!B]C-"));
}

TEST(TextLike, QuestionMarkIsAnyOneCharacter) {
  EXPECT_TRUE(textLike("cat", "c?t"));
  EXPECT_FALSE(textLike("ct", "c?t"));
  EXPECT_FALSE(textLike("coat", "c?t"));
  // One character, not one byte, of UTF-8 text.
  EXPECT_TRUE(textLike("caf\xC3\xA9", "caf?"));
  EXPECT_TRUE(textLike("\xE2\x82\xAC", "?"));
  EXPECT_FALSE(textLike("\xC3\xA9", "??"));
}

TEST(TextLike, StarIsAnyRunIncludingNone) {
  EXPECT_TRUE(textLike("Alpha", "A*"));
  EXPECT_TRUE(textLike("A", "A*"));
  EXPECT_TRUE(textLike("", "*"));
  EXPECT_TRUE(textLike("", "**"));
  EXPECT_TRUE(textLike("abcabc", "*b*c"));
  EXPECT_TRUE(textLike("Project Alpha", "*ject*"));
  EXPECT_FALSE(textLike("Alpha", "*B*"));
  EXPECT_FALSE(textLike("abc", "*b"));
  EXPECT_TRUE(textLike("aXbXc", "a*c"));
}

TEST(TextLike, HashIsOneDigit) {
  EXPECT_TRUE(textLike("Project 1", "Project #"));
  EXPECT_FALSE(textLike("Project X", "Project #"));
  EXPECT_FALSE(textLike("Project 12", "Project #"));
  EXPECT_TRUE(textLike("Project 12", "Project ##"));
}

TEST(TextLike, BracketListsAndRanges) {
  EXPECT_TRUE(textLike("b", "[abc]"));
  EXPECT_FALSE(textLike("d", "[abc]"));
  EXPECT_TRUE(textLike("m", "[a-z]"));
  EXPECT_TRUE(textLike("M", "[a-z]"));
  EXPECT_TRUE(textLike("m", "[A-Z]"));
  EXPECT_FALSE(textLike("5", "[0-37-9]"));
  EXPECT_TRUE(textLike("8", "[0-37-9]"));
  EXPECT_TRUE(textLike("x", "[!abc]"));
  EXPECT_FALSE(textLike("a", "[!abc]"));
  EXPECT_FALSE(textLike("A", "[!a-c]"));
  EXPECT_FALSE(textLike("", "[!abc]"));
  // Plain characters inside a list: "*", "?", "#", a leading or trailing "-".
  EXPECT_TRUE(textLike("*", "[*]"));
  EXPECT_FALSE(textLike("x", "[*]"));
  EXPECT_TRUE(textLike("-", "[a-]"));
  EXPECT_TRUE(textLike("-", "[-a]"));
  EXPECT_TRUE(textLike("a1", "[a-c][0-9]"));
  // An empty list matches no character; its negation any one.
  EXPECT_FALSE(textLike("a", "[]"));
  EXPECT_TRUE(textLike("a", "[!]"));
}

TEST(TextLike, NonAsciiLettersFoldInUtf8) {
  EXPECT_TRUE(textLike("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"));  // Été / éTÉ
  EXPECT_TRUE(textLike("\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x82\xC3\x93\x44\xC5\xB9"));  // Łódź
  EXPECT_TRUE(textLike("\xCE\xA3\xCE\x9F\xCE\xA6", "\xCF\x83\xCE\xBF\xCF\x86"));  // ΣΟΦ / σοφ
  EXPECT_TRUE(textLike("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82",
                       "\xD0\xBF\xD0\xA0\xD0\x9E*"));  // Проект / пРО*
  EXPECT_TRUE(textLike("\xD0\x81", "\xD1\x91"));       // Ё / ё
  EXPECT_TRUE(textLike("\xC3\x89", "[\xC3\xA9]"));     // É in [é]
  EXPECT_FALSE(textLike("\xC3\xA9", "e"));             // é is not e
  EXPECT_FALSE(textLike("\xC3\x97", "\xC3\xB7"));      // × is not a letter of ÷
}

TEST(TextLike, InvalidUtf8BytesEqualOnlyThemselves) {
  EXPECT_TRUE(textLike("a\xFF", "A\xFF"));
  EXPECT_FALSE(textLike("a\xFF", "a\xFE"));
  EXPECT_TRUE(textLike("a\xC3", "a?"));
  EXPECT_EQ(tw::CaseFold::decode("\xC3(").size(), 2u);
  EXPECT_EQ(tw::CaseFold::decode("\xE0\x80\xAF").size(), 3u);  // overlong form
}

TEST(TextLike, NameAlwaysMatchesItself) {
  EXPECT_TRUE(textLike("Project #1", "Project #1"));
  EXPECT_TRUE(textLike("[x]", "[x]"));
  EXPECT_TRUE(textLike("[X]", "[x]"));
  EXPECT_TRUE(textLike("A*", "a*"));
  EXPECT_TRUE(textLike("x", "[x]"));
  EXPECT_FALSE(textLike("Alpha", "[x]"));
}

TEST(TextLike, MalformedPatternMatchesNothingButItself) {
  EXPECT_FALSE(textLike("a", "[a"));
  EXPECT_FALSE(textLike("[a", "[a*"));
  EXPECT_FALSE(textLike("", "["));
  EXPECT_FALSE(textLike("abc", "*[!"));
  EXPECT_TRUE(textLike("[a", "[A"));
}

TEST(TextLike, PathologicalPatternsFinishInPolynomialTime) {
  // Exponential backtracking would take astronomically long on these; the expectations are
  // about results, the suite's own timeout catches a regression.
  const std::string text(5000, 'a');
  EXPECT_FALSE(textLike(text, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(textLike(text + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_FALSE(textLike(text, std::string(200, '*') + "?" + std::string(5000, 'a')));
}

TEST(TextLike, WildcardCharactersAreDetected) {
  EXPECT_FALSE(tw::hasWildcards("Design, Admin!-]"));
  for (const char* p : {"a?", "*", "#1", "[x"}) EXPECT_TRUE(tw::hasWildcards(p)) << p;
}

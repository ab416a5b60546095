#include "core/TextLike.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/CaseFold.h"

namespace tw {
namespace {

struct Range {
  char32_t low;
  char32_t high;
};

// One step of a parsed pattern. Every kind but Star consumes exactly one character.
struct Token {
  enum Kind { Literal, Any, Digit, Star, List } kind;
  char32_t ch = 0;        // Literal: folded character
  std::size_t first = 0;  // List: its ranges in Pattern::ranges
  std::size_t count = 0;
  bool negated = false;
};

struct Pattern {
  std::vector<Token> tokens;
  std::vector<Range> ranges;
  bool folds = true;  // false when text or pattern is not valid UTF-8

  char32_t fold(char32_t c) const { return folds ? CaseFold::fold(c) : c; }
};

// nullopt for a malformed pattern (a "[" without its "]").
std::optional<Pattern> parse(const std::u32string& p, bool folds) {
  Pattern out;
  out.folds = folds;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    if (c == '*') {
      // A run of stars is one star.
      if (out.tokens.empty() || out.tokens.back().kind != Token::Star) {
        out.tokens.push_back({Token::Star});
      }
    } else if (c == '?') {
      out.tokens.push_back({Token::Any});
    } else if (c == '#') {
      out.tokens.push_back({Token::Digit});
    } else if (c == '[') {
      std::size_t j = i + 1;
      Token t{Token::List};
      if (j < p.size() && p[j] == '!') {
        t.negated = true;
        ++j;
      }
      t.first = out.ranges.size();
      while (j < p.size() && p[j] != ']') {
        if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
          out.ranges.push_back({p[j], p[j + 2]});
          j += 3;
        } else {
          out.ranges.push_back({p[j], p[j]});
          ++j;
        }
      }
      if (j >= p.size()) return std::nullopt;
      t.count = out.ranges.size() - t.first;
      out.tokens.push_back(t);
      i = j;
    } else {
      out.tokens.push_back({Token::Literal, out.fold(c)});
    }
  }
  return out;
}

bool inRange(const Pattern& p, char32_t c, const Range& r) {
  if (c >= r.low && c <= r.high) return true;
  const char32_t f = p.fold(c);
  return f >= p.fold(r.low) && f <= p.fold(r.high);
}

bool matchesOne(const Pattern& p, const Token& t, char32_t c) {
  switch (t.kind) {
    case Token::Literal:
      return p.fold(c) == t.ch;
    case Token::Any:
      return true;
    case Token::Digit:
      return c >= '0' && c <= '9';
    case Token::List: {
      bool found = false;
      for (std::size_t k = t.first; k < t.first + t.count && !found; ++k) {
        found = inRange(p, c, p.ranges[k]);
      }
      return found != t.negated;
    }
    case Token::Star:
      break;
  }
  return false;
}

// Greedy match that on a mismatch returns only to the latest star: with every other token
// taking exactly one character, an earlier star never needs to take more.
bool matchTokens(const Pattern& p, const std::u32string& text) {
  const auto& tok = p.tokens;
  std::size_t t = 0, k = 0;
  std::size_t starToken = tok.size(), starText = 0;
  while (t < text.size()) {
    if (k < tok.size() && tok[k].kind == Token::Star) {
      starToken = k++;
      starText = t;
    } else if (k < tok.size() && matchesOne(p, tok[k], text[t])) {
      ++k;
      ++t;
    } else if (starToken < tok.size()) {
      k = starToken + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (k < tok.size() && tok[k].kind == Token::Star) ++k;
  return k == tok.size();
}

}  // namespace

bool TextLike::matches(std::string_view text, std::string_view pattern) {
  if (CaseFold::equal(text, pattern)) return true;
  const std::u32string t = CaseFold::decode(text);
  const std::u32string p = CaseFold::decode(pattern);
  // Like CaseFold, letters fold only in text that is valid UTF-8.
  const auto valid = [](const std::u32string& s) {
    return std::none_of(s.begin(), s.end(), [](char32_t c) { return c >= CaseFold::kInvalidBase; });
  };
  const std::optional<Pattern> parsed = parse(p, valid(t) && valid(p));
  return parsed && matchTokens(*parsed, t);
}

}  // namespace tw

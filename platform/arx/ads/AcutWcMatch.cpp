// acutWcMatch: the host's wildcard matching.
//   #  a digit            @  a letter         .  a character that is neither
//   *  any run (also none) ?  any one character
//   ~  (first) the text must not match the rest
//   [...] one character of the set (ranges a-z), [~...] one character not in it
//   `  takes the next character literally     ,  separates alternative patterns
// Matching is case-sensitive and works on characters of the ANSI code page (a
// two-byte character is one character). A malformed pattern (an unclosed set, a
// backquote at the end) matches nothing.
#include "arx/ads/AcutUtilities.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The characters of a text into `out`: one byte, or a lead byte and its second byte
// (lead bytes are above 0x80 in every code page, so ASCII needs no look-up).
void characters(const char* text, std::vector<unsigned>& out)
{
  out.clear();
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
    if (*p >= 0x80 && IsDBCSLeadByte(*p) && p[1] != 0) {
      out.push_back(static_cast<unsigned>(p[0]) << 8 | p[1]);
      ++p;
    } else {
      out.push_back(*p);
    }
  }
}

bool isDigit(unsigned c)
{
  return c >= '0' && c <= '9';
}

bool isLetter(unsigned c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

enum class Kind { Literal, Digit, Letter, Other, Star, Any, Set };

struct Range {
  unsigned low, high;
};

struct Token {
  Kind kind;
  unsigned literal = 0;      // Literal
  bool negated = false;      // Set
  std::vector<Range> ranges; // Set

  bool matches(unsigned c) const
  {
    switch (kind) {
    case Kind::Literal:
      return c == literal;
    case Kind::Digit:
      return isDigit(c);
    case Kind::Letter:
      return isLetter(c);
    case Kind::Other:
      return !isDigit(c) && !isLetter(c);
    case Kind::Any:
      return true;
    case Kind::Set: {
      bool in = false;
      for (const Range& r : ranges)
        in = in || (c >= r.low && c <= r.high);
      return in != negated;
    }
    case Kind::Star:
      break;
    }
    return false;
  }
};

struct Alternative {
  bool negated = false;      // pattern began with ~
  std::vector<Token> tokens; // the rest
};

const unsigned kBackquote = '`';

// Reads a set after its '['; `i` ends after the closing ']'. False when unclosed.
bool parseSet(const std::vector<unsigned>& p, std::size_t& i, Token& set)
{
  set.kind = Kind::Set;
  if (i < p.size() && p[i] == '~') {
    set.negated = true;
    ++i;
  }
  bool first = true;
  while (i < p.size()) {
    unsigned c = p[i];
    if (c == ']' && !first) {
      ++i;
      return true;
    }
    first = false;
    if (c == kBackquote) {
      if (++i >= p.size())
        return false;
      c = p[i];
    }
    ++i;
    // c-d is a range unless the dash is the last character of the set.
    if (i + 1 < p.size() && p[i] == '-' && p[i + 1] != ']') {
      unsigned high = p[i + 1];
      i += 2;
      if (high == kBackquote) {
        if (i >= p.size())
          return false;
        high = p[i++];
      }
      set.ranges.push_back({c, high});
    } else {
      set.ranges.push_back({c, c});
    }
  }
  return false;
}

// Splits the pattern at unescaped commas outside sets and compiles each part.
bool compile(const std::vector<unsigned>& p, std::vector<Alternative>& out)
{
  Alternative alt;
  std::size_t i = 0;
  bool atStart = true;
  while (i <= p.size()) {
    if (i == p.size() || p[i] == ',') {
      out.push_back(std::move(alt));
      alt = Alternative();
      atStart = true;
      ++i;
      continue;
    }
    unsigned c = p[i++];
    if (atStart && c == '~') {
      alt.negated = true;
      atStart = false;
      continue;
    }
    atStart = false;
    Token t;
    switch (c) {
    case '#':
      t.kind = Kind::Digit;
      break;
    case '@':
      t.kind = Kind::Letter;
      break;
    case '.':
      t.kind = Kind::Other;
      break;
    case '*':
      t.kind = Kind::Star;
      break;
    case '?':
      t.kind = Kind::Any;
      break;
    case '[':
      if (!parseSet(p, i, t))
        return false;
      break;
    case '`':
      if (i >= p.size())
        return false;
      t.kind = Kind::Literal;
      t.literal = p[i++];
      break;
    default:
      t.kind = Kind::Literal;
      t.literal = c;
    }
    alt.tokens.push_back(std::move(t));
  }
  return true;
}

// Matching with single-character tokens and stars: on a mismatch, let the last star
// take one more character. Linear in the text for each star position.
bool matchTokens(const std::vector<Token>& tokens, const std::vector<unsigned>& text)
{
  std::size_t t = 0, s = 0;
  std::size_t starToken = SIZE_MAX, starText = 0;
  while (s < text.size()) {
    if (t < tokens.size() && tokens[t].kind == Kind::Star) {
      starToken = t++;
      starText = s;
    } else if (t < tokens.size() && tokens[t].matches(text[s])) {
      ++t;
      ++s;
    } else if (starToken != SIZE_MAX) {
      t = starToken + 1;
      s = ++starText;
    } else {
      return false;
    }
  }
  while (t < tokens.size() && tokens[t].kind == Kind::Star)
    ++t;
  return t == tokens.size();
}

} // namespace

// The last pattern compiled, per thread: a list is matched name by name against one
// pattern, which is compiled once instead of once per name.
struct CompiledPattern {
  std::string text;                      // the pattern as given
  bool valid = false;                    // it compiled (a malformed one matches nothing)
  std::vector<Alternative> alternatives; // its compiled form
  std::vector<unsigned> chars;           // scratch: the characters of the text matched
};

int acutWcMatch(const char* text, const char* pattern)
{
  if (text == nullptr || pattern == nullptr)
    return RTERROR;
  static CompiledPattern last;
  if (!last.valid || last.text != pattern) {
    last.alternatives.clear();
    characters(pattern, last.chars);
    last.valid = compile(last.chars, last.alternatives);
    last.text = pattern;
    if (!last.valid)
      last.alternatives.clear();
  }
  if (!last.valid)
    return RTERROR;
  std::vector<unsigned>& chars = last.chars;
  characters(text, chars);
  for (const Alternative& alt : last.alternatives) {
    if (matchTokens(alt.tokens, chars) != alt.negated)
      return RTNORM;
  }
  return RTERROR;
}

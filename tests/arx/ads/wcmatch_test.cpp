// acutWcMatch: every wildcard rule of the host, alone and combined.
#include "arx/ads/AcutUtilities.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  const char* pattern;
  bool matches;
};

void check(const Case* cases, std::size_t count)
{
  for (std::size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    int expected = c.matches ? RTNORM : RTERROR;
    EXPECT_EQ(expected, acutWcMatch(c.text, c.pattern))
        << "text \"" << c.text << "\" pattern \"" << c.pattern << "\"";
  }
}

#define CHECK_CASES(cases) check(cases, sizeof(cases) / sizeof(cases[0]))

TEST(AcutWcMatch, literals_are_case_sensitive_and_whole)
{
  const Case cases[] = {
      {"CHAIR", "CHAIR", true}, {"CHAIR", "chair", false},
      {"CHAIR", "CHAI", false}, {"CHAI", "CHAIR", false},
      {"", "", true},           {"A", "", false},
      {"", "A", false},
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, hash_at_and_dot_match_digit_letter_and_neither)
{
  // Each class at its edges and the characters just outside them: '/' and ':'
  // around the digits, '@' '[' '`' '{' around the letters.
  const Case cases[] = {
      {"0", "#", true},     {"9", "#", true},      {"/", "#", false},   {":", "#", false},
      {"A", "#", false},    {"A", "@", true},      {"Z", "@", true},    {"a", "@", true},
      {"z", "@", true},     {"@", "@", false},     {"[", "@", false},   {"`", "@", false},
      {"{", "@", false},    {"5", "@", false},     {"0", ".", false},   {"9", ".", false},
      {"A", ".", false},    {"Z", ".", false},     {"a", ".", false},   {"z", ".", false},
      {" ", ".", true},     {"-", ".", true},      {"/", ".", true},    {":", ".", true},
      {"@", ".", true},     {"[", ".", true},      {"`", ".", true},    {"{", ".", true},
      {"~", ".", true},     {"\x7F", ".", true},   {"\x01", ".", true}, {"\xC7\xD1", ".", true},
      {"D12", "@##", true}, {"D1A", "@##", false}, {"#", "#", false},   {"", "#", false},
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, star_takes_any_run_and_question_mark_one_character)
{
  const Case cases[] = {
      {"", "*", true},          {"ANYTHING", "*", true},
      {"CHAIR", "CH*", true},   {"CH", "CH*", true},
      {"CHAIR", "*AIR", true},  {"CHAIR", "C*R", true},
      {"CHAIR", "C*X", false},  {"ABAB", "*AB", true},
      {"AXBXC", "A*B*C", true}, {"ACB", "A*B*C", false},
      {"CHAIR", "?HAIR", true}, {"CHAIR", "?????", true},
      {"CHAIR", "????", false}, {"", "?", false},
      {"CHAIR", "**", true},    {"\xC7\xD1\xB1\xDB", "??", true}, // two two-byte characters
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, sets_ranges_and_negated_sets)
{
  const Case cases[] = {
      {"B", "[ABC]", true},          {"D", "[ABC]", false},
      {"m", "[a-z]", true},          {"M", "[a-z]", false},
      {"5", "[0-9X]", true},         {"X", "[0-9X]", true},
      {"D", "[~ABC]", true},         {"A", "[~ABC]", false},
      {"-", "[A-]", true},           {"]", "[]]", true},
      {"x", "[]]", false},           {"DOOR1", "DOOR[1-3]", true},
      {"DOOR4", "DOOR[1-3]", false}, {"AB", "[AB]", false},
      {"~", "[`~]", true},           {"", "[A]", false},
      {"b", "[b-d]", true},          {"d", "[b-d]", true}, // a range holds both its ends
      {"a", "[b-d]", false},         {"e", "[b-d]", false},
      {"b", "[~b-d]", false},        {"e", "[~b-d]", true},
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, tilde_at_the_start_negates_the_pattern)
{
  const Case cases[] = {
      {"CHAIR", "~CH*", false}, {"TABLE", "~CH*", true}, {"", "~", false},
      {"X", "~", true},         {"A~B", "A~B", true},    {"AB", "A~B", false},
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, backquote_takes_the_next_character_literally)
{
  const Case cases[] = {
      {"*", "`*", true},     {"A", "`*", false},   {"#", "`#", true}, {"1", "`#", false},
      {"A,B", "A`,B", true}, {"A", "A`,B", false}, {"`", "``", true}, {"~A", "`~A", true},
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, commas_separate_alternatives)
{
  const Case cases[] = {
      {"CHAIR", "TABLE,CH*", true}, {"DESK", "TABLE,CH*", false},   {"", "A,", true},
      {"DESK", "~CH*,TABLE", true}, {"CHAIR", "~CH*,CHAIR", true},  {"X", "[A,X]", true},
      {"DESK", "TABLE,~CH*", true}, {"CHAIR", "TABLE,~CH*", false}, // ~ opens each alternative
      {"X", "A,~", true},
  };
  CHECK_CASES(cases);
}

TEST(AcutWcMatch, malformed_patterns_and_null_arguments_match_nothing)
{
  const Case cases[] = {
      {"A", "[A", false},  {"A", "A`", false},  {"", "[", false},
      {"A", "A,[", false}, {"[A", "[A", false}, {"A", "[~", false},
  };
  CHECK_CASES(cases);
  EXPECT_EQ(RTERROR, acutWcMatch(nullptr, "*"));
  EXPECT_EQ(RTERROR, acutWcMatch("A", nullptr));
}

TEST(AcutWcMatch, long_texts_with_many_stars_finish_quickly)
{
  std::string text(20000, 'A');
  std::string pattern;
  for (int i = 0; i < 50; ++i)
    pattern += "*A";
  pattern += "*B";
  EXPECT_EQ(RTERROR, acutWcMatch(text.c_str(), pattern.c_str()));
  text += "B";
  EXPECT_EQ(RTNORM, acutWcMatch(text.c_str(), pattern.c_str()));
}

} // namespace

// The LISP reader and the command line's printed form of values.
#include "arx/lisp/LispEnvironment.h"
#include "arx/lisp/LispError.h"
#include "arx/lisp/LispPrinter.h"
#include "arx/lisp/LispReader.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Reads one expression and prints it back in prin1 form.
std::string roundTrip(const std::string& text)
{
  LispReader reader(text);
  return lispPrin1(reader.read());
}

std::string readError(const std::string& text)
{
  try {
    LispReader reader(text);
    while (!reader.atEnd())
      reader.read();
  } catch (const LispError& e) {
    return e.what();
  }
  return "(no error)";
}

struct Case {
  const char* input;
  const char* printed;
};

TEST(LispReader, reads_atoms_lists_and_quotes_into_their_printed_form)
{
  const Case cases[] = {
      {"12", "12"},
      {"-7", "-7"},
      {"+3", "3"},
      {"2147483647", "2147483647"},
      {"2147483648", "2.14748e+09"},
      {"1.5", "1.5"},
      {"2.", "2.0"},
      {".25", "0.25"},
      {"1e20", "1.0e+20"},
      {"-0.5", "-0.5"},
      {"chair", "CHAIR"},
      {"Block-List", "BLOCK-LIST"},
      {"nil", "nil"},
      {"NIL", "nil"},
      {"t", "T"},
      {"\"a\\\"b\\\\c\"", "\"a\\\"b\\\\c\""},
      {"\"tab\\there\"", "\"tab\\there\""},
      {"\"\\101\"", "\"A\""},
      {"\"\\1012\"", "\"A2\""},   // three octal digits at most
      {"\"\\18\"", "\"\\0018\""}, // 8 is no octal digit
      {"\"\\377\"", "\"\xFF\""},  // the largest byte, printed as it is
      {"(1 2 (3))", "(1 2 (3))"},
      {"( 1  2 )", "(1 2)"},
      {"()", "nil"},
      {"(1 . 2)", "(1 . 2)"},
      {"(1 2 . 3)", "(1 2 . 3)"},
      {"(1 . (2 3))", "(1 2 3)"},
      {"'x", "(QUOTE X)"},
      {"'(a b)", "(QUOTE (A B))"},
      {"(a ; comment\n b)", "(A B)"},
      {"(a ;| block\n comment |; b)", "(A B)"},
      {"1+", "1+"},
      {"0x10", "0X10"},
      {"inf", "INF"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.printed, roundTrip(c.input)) << "input: " << c.input;
}

TEST(LispReader, malformed_input_gives_the_command_line_error)
{
  const Case cases[] = {
      {"(1 2", "malformed list on input"}, {"\"abc", "malformed string on input"},
      {")", "extra right paren on input"}, {"(1 2))", "extra right paren on input"},
      {"(. 1)", "misplaced dot on input"}, {"(1 . 2 3)", "misplaced dot on input"},
      {"(1 .)", "misplaced dot on input"}, {".", "misplaced dot on input"},
      {"'", "malformed list on input"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.printed, readError(c.input)) << "input: " << c.input;
}

TEST(LispReader, open_list_or_string_is_incomplete_but_extra_paren_is_not)
{
  for (const char* text : {"(1 (2", "(princ \"ab", "'"}) {
    try {
      LispReader(text).read();
      ADD_FAILURE() << "no error for " << text;
    } catch (const LispError& e) {
      EXPECT_TRUE(e.incomplete()) << text;
    }
  }
  try {
    LispReader(")").read();
    ADD_FAILURE() << "no error for )";
  } catch (const LispError& e) {
    EXPECT_FALSE(e.incomplete());
  }
}

TEST(LispReader, deep_nesting_is_refused_not_a_crash)
{
  std::string deep(100000, '(');
  EXPECT_EQ("list nested too deeply on input", readError(deep));
  std::string quotes(100000, '\'');
  EXPECT_EQ("list nested too deeply on input", readError(quotes + "x"));
  std::string fine =
      std::string(LispReader::kMaxDepth, '(') + std::string(LispReader::kMaxDepth, ')');
  EXPECT_EQ("(no error)", readError(fine));
}

// Every expression of `text` in prin1 form, one space after each; throws LispError.
std::string printedForms(const std::string& text)
{
  std::string printed;
  LispReader reader(text);
  while (!reader.atEnd())
    printed += lispPrin1(reader.read()) + " ";
  return printed;
}

TEST(LispReader, random_texts_print_in_a_form_that_reads_back_the_same)
{
  // Random texts over the characters that mean something to the reader. What the
  // reader makes of a text prints in a form that reads back to the same values,
  // and the evaluator answers each text with a value or a command-line error.
  std::mt19937 random(12345);
  const char alphabet[] = "()'\".;|\\ \n0123456789abc+-eE\x81\xff";
  LispEnvironment env(nullptr);
  int readable = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i)
      text += alphabet[random() % (sizeof alphabet - 1)];
    LispOutcome outcome = env.evaluate(text);
    EXPECT_EQ(outcome.ok, outcome.printed.rfind("; error: ", 0) != 0) << "input: " << text;
    std::string printed;
    try {
      printed = printedForms(text);
    } catch (const LispError&) {
      continue; // not a readable text
    }
    ++readable;
    try {
      EXPECT_EQ(printed, printedForms(printed)) << "input: " << text;
    } catch (const LispError& e) {
      ADD_FAILURE() << "the printed form " << printed << " does not read: " << e.what();
    }
  }
  EXPECT_GT(readable, 300) << "too few random texts were readable to say anything";
}

TEST(LispPrinter, prints_values_as_the_command_line_shows_them)
{
  EXPECT_EQ("\"CHAIR\"", lispPrin1(lispStr("CHAIR")));
  EXPECT_EQ("CHAIR", lispPrinc(lispStr("CHAIR")));
  EXPECT_EQ("\"a\\nb\\e\\001\"", lispPrin1(lispStr("a\nb\x1b\x01")));
  EXPECT_EQ("\"\xC7\xD1\"", lispPrin1(lispStr("\xC7\xD1"))) << "ANSI bytes pass unchanged";
  EXPECT_EQ("nil", lispPrin1(nullptr));
  EXPECT_EQ("", lispPrin1(lispVoid()));
  EXPECT_EQ("3.14159", lispFormatReal(3.14159265));
  EXPECT_EQ("100.0", lispFormatReal(100));
  EXPECT_EQ("-2.0", lispFormatReal(-2));
  EXPECT_EQ("1.0e-07", lispFormatReal(1e-7));
  LispListBuilder list;
  list.add(lispStr("A"));
  list.add(lispCons(lispInt(1), lispReal(2)));
  EXPECT_EQ("(\"A\" (1 . 2.0))", lispPrin1(list.finish()));
}

TEST(LispValue, very_long_lists_are_released_without_exhausting_the_stack)
{
  LispRef list;
  for (int i = 0; i < 100000; ++i)
    list = lispCons(lispInt(i), list);
  LispRef nested;
  for (int i = 0; i < 100000; ++i)
    nested = lispCons(nested, nullptr);
  EXPECT_EQ("(...)", lispPrin1(nested).substr(lispPrin1(nested).find("(...)"), 5));
  list.reset();
  nested.reset();
}

} // namespace

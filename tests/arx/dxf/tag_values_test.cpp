// Numbers and group codes as the tag reader gives them: plain decimals and integers
// take a short path, everything else the general one, and both must give the value
// the text means, to the last bit (the expected values are the compiler's reading of
// the same decimal text).
#include "arx/dxf/DxfTagReader.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The one tag of "CODE\nVALUE\n", or a failed read (tag.code -1000) with the error in `error`.
DxfTag readOne(const std::string& code, const std::string& value, std::string* error = nullptr)
{
  static std::string text; // the tag's text points into it
  text = code + "\n" + value + "\n";
  DxfTagReader reader(text.data(), text.size());
  DxfTag tag;
  if (!reader.next(tag)) {
    tag.code = -1000;
    if (error != nullptr)
      *error = reader.error();
  }
  return tag;
}

bool sameBits(double a, double b)
{
  return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(DxfTagValues, reals_read_to_the_last_bit_on_both_paths)
{
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"0.1", 0.1},
      {"0.3", 0.3},
      {"2.675", 2.675},
      {"-1234.5678", -1234.5678},
      {"9999.9999", 9999.9999},
      {"123456789012345", 123456789012345.0},   // 15 digits: the short path's largest
      {"0.123456789012345", 0.123456789012345}, // 15 digits, all decimals
      {"1234567890123456", 1234567890123456.0}, // 16 digits: the general path
      {"9007199254740993", 9007199254740992.0}, // 2^53 + 1 rounds to even
      {"0.1000000000000000055511151231257827", 0.1},
      {"1e3", 1000.0},
      {"-2.5E-3", -0.0025},
      {"5.", 5.0},
      {".5", 0.5},
      {"-.25", -0.25},
      {"+7.5", 7.5},
      {"  42.0", 42.0},
      {"42.0  ", 42.0},
      {"\t3.0", 3.0},
      {"000000000000000000001.5", 1.5}, // many leading zeros: the general path
  };
  for (const Case& c : cases) {
    DxfTag tag = readOne(" 10", c.text);
    ASSERT_EQ(tag.code, 10) << c.text;
    EXPECT_TRUE(sameBits(tag.real, c.value)) << c.text << " read as " << tag.real;
  }
  // The sign of zero is kept.
  EXPECT_TRUE(std::signbit(readOne(" 40", "-0.0").real));
  EXPECT_FALSE(std::signbit(readOne(" 40", "0.0").real));
}

TEST(DxfTagValues, malformed_reals_fail_on_both_paths)
{
  for (const char* text : {"", "-", ".", "1.2.3", "12a", "1,5", "--1", "0x10", "inf", "nan"}) {
    std::string error;
    DxfTag tag = readOne(" 10", text, &error);
    EXPECT_EQ(tag.code, -1000) << text;
    EXPECT_NE(error.find("group code 10: invalid number"), std::string::npos)
        << text << ": " << error;
  }
}

TEST(DxfTagValues, integers_and_group_codes)
{
  EXPECT_EQ(readOne(" 70", "     1").integer, 1);
  EXPECT_EQ(readOne(" 62", "-7").integer, -7);
  EXPECT_EQ(readOne(" 62", "+7").integer, 7);
  EXPECT_EQ(readOne(" 90", "123456789012345678").integer, 123456789012345678LL);
  EXPECT_EQ(readOne(" 90", "9223372036854775807").integer, 9223372036854775807LL);
  EXPECT_EQ(readOne(" 70", "2.0").integer, 2); // a whole value written as a real
  EXPECT_EQ(readOne(" 70", "8 ").integer, 8);
  // Group codes: right-aligned, left-aligned, with a tab, negative.
  EXPECT_EQ(readOne("  0", "LINE").code, 0);
  EXPECT_EQ(readOne("1071", "5").code, 1071);
  EXPECT_EQ(readOne("10 ", "1.0").code, 10);
  EXPECT_EQ(readOne("\t8", "L").code, 8);
  EXPECT_EQ(readOne(" -1", "X").code, -1);
  for (const char* code : {"1x", "1072", "-6", "", " ", "99999999999999999999"}) {
    std::string error;
    EXPECT_EQ(readOne(code, "0").code, -1000) << code;
    EXPECT_EQ(readOne(code, "0", &error).code, -1000);
    EXPECT_NE(error.find("invalid group code"), std::string::npos) << code << ": " << error;
  }
  std::string error;
  EXPECT_EQ(readOne(" 70", "1.5", &error).code, -1000);
  EXPECT_NE(error.find("invalid integer"), std::string::npos) << error;
  EXPECT_EQ(readOne(" 70", "99999999999999999999", &error).code, -1000);
  EXPECT_NE(error.find("invalid integer"), std::string::npos) << error;
}

// Line ends are found eight bytes at a time: values of every length from 0 to 40,
// with LF and CR LF ends, each split exactly at its end, the last without one.
TEST(DxfTagValues, values_of_every_length_split_at_their_line_ends)
{
  for (const char* eol : {"\n", "\r\n"}) {
    std::string text;
    std::vector<std::string> values;
    for (int n = 0; n <= 40; ++n) {
      std::string value;
      for (int i = 0; i < n; ++i)
        value += static_cast<char>('a' + (n + i) % 26);
      values.push_back(value);
      text += "  1" + std::string(eol) + value + (n < 40 ? eol : "");
    }
    DxfTagReader reader(text.data(), text.size());
    DxfTag tag;
    for (int n = 0; n <= 40; ++n) {
      ASSERT_TRUE(reader.next(tag)) << n << ": " << reader.error();
      EXPECT_EQ(tag.code, 1);
      EXPECT_EQ(tag.str(), values[n]) << n;
      EXPECT_EQ(tag.line, 2 * n + 1);
    }
    EXPECT_FALSE(reader.next(tag));
    EXPECT_EQ(reader.error(), "");
  }
}

// An entity's colour as DWG keeps it, from bits worked out by hand: a BS index up
// to R2000; from R2004 a BS of flags and index, then the colour word (top byte 0xC2
// RGB, 0xC3 index, 0xC1 BYBLOCK, 0xC0 BYLAYER) and the transparency.
#include "arx/dwg/DwgColor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<std::uint8_t> bits(const char* text)
{
  std::vector<std::uint8_t> out;
  int n = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == ' ')
      continue;
    if (n % 8 == 0)
      out.push_back(0);
    if (*p == '1')
      out.back() |= static_cast<std::uint8_t>(0x80 >> (n % 8));
    ++n;
  }
  return out;
}

TEST(DwgColor, up_to_r2000_a_bs_index)
{
  // BS 01 + RC 5.
  std::vector<std::uint8_t> b = bits("01 00000101");
  DwgBitReader r(b.data(), b.size(), "test");
  bool book = true;
  const DwgColor c = dwgReadEntityColor(r, 1015, book);
  EXPECT_EQ(c.index, 5);
  EXPECT_FALSE(c.trueColor);
  EXPECT_FALSE(book);
  EXPECT_TRUE(r.ok());
}

TEST(DwgColor, r2004_rgb_word_gives_the_true_colour_and_its_nearest_index)
{
  // BS 00 + RS 0x8000 (an RGB word follows, index bits 0); BL 00 + RL 0xC2C80A0A
  // (bytes 0A 0A C8 C2); then BS 01 + RC 7 to see that nothing more was read.
  std::vector<std::uint8_t> b = bits("00 00000000 10000000"
                                     " 00 00001010 00001010 11001000 11000010"
                                     " 01 00000111");
  DwgBitReader r(b.data(), b.size(), "test");
  bool book = true;
  const DwgColor c = dwgReadEntityColor(r, 1018, book);
  EXPECT_TRUE(c.trueColor);
  EXPECT_EQ(c.rgb, 0xC80A0Au);
  EXPECT_EQ(c.index, 12); // 165,0,0 is nearest to 200,10,10
  EXPECT_FALSE(book);
  EXPECT_EQ(r.BS(), 7);
  EXPECT_TRUE(r.ok());
}

TEST(DwgColor, r2004_index_word_book_handle_and_transparency)
{
  // BS 00 + RS 0xA000: a word and a transparency follow. Word 0xC3000005 (index 5),
  // transparency BL 01 + RC 0xFF, then BS 01 + RC 7.
  std::vector<std::uint8_t> b = bits("00 00000000 10100000"
                                     " 00 00000101 00000000 00000000 11000011"
                                     " 01 11111111 01 00000111");
  DwgBitReader r(b.data(), b.size(), "test");
  bool book = true;
  DwgColor c = dwgReadEntityColor(r, 1024, book);
  EXPECT_FALSE(c.trueColor);
  EXPECT_EQ(c.index, 5);
  EXPECT_FALSE(book);
  EXPECT_EQ(r.BS(), 7);
  EXPECT_TRUE(r.ok());

  // BS 00 + RS 0xC000: a colour book's colour, its RGB 0x0080FF in the word
  // (bytes FF 80 00 C2); its handle is in the handle stream.
  b = bits("00 00000000 11000000 00 11111111 10000000 00000000 11000010");
  DwgBitReader r2(b.data(), b.size(), "test");
  c = dwgReadEntityColor(r2, 1032, book);
  EXPECT_TRUE(c.trueColor);
  EXPECT_EQ(c.rgb, 0x0080FFu);
  EXPECT_EQ(c.index, 150); // 0,127,255
  EXPECT_TRUE(book);

  // A plain index: BS 01 + RC 3, no word.
  b = bits("01 00000011");
  DwgBitReader r3(b.data(), b.size(), "test");
  c = dwgReadEntityColor(r3, 1018, book);
  EXPECT_EQ(c.index, 3);
  EXPECT_FALSE(c.trueColor);
}

TEST(DwgColor, words_by_layer_by_block_and_unknown_methods)
{
  EXPECT_EQ(dwgColorOfWord(0xC0000000u, 7).index, 256);
  EXPECT_EQ(dwgColorOfWord(0xC1000000u, 7).index, 0);
  EXPECT_EQ(dwgColorOfWord(0xC3000021u, 7).index, 33);
  const DwgColor unknown = dwgColorOfWord(0x12345678u, 7);
  EXPECT_EQ(unknown.index, 7);
  EXPECT_FALSE(unknown.trueColor);
}
} // namespace

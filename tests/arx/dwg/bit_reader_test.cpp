// The bit codes of DWG, each worked out by hand from the documented encoding, and
// reads past the end that stop with a fault naming the section and byte.
#include "arx/dwg/DwgBitReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Bytes from a string of '0' and '1' (spaces ignored), padded with zeros.
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

TEST(DwgBitReader, BitCodedValues)
{
  // BS: 10 -> 0, 11 -> 256, 01 + RC 0x0F -> 15, 00 + RS 0x1234 (little-endian).
  // BL: 01 + RC 0xFF -> 255. BD: 01 -> 1.0, 10 -> 0.0. B, BB, 3B "110" -> 6.
  std::vector<std::uint8_t> b = bits("10 11 01 00001111 00 00110100 00010010"
                                     " 01 11111111 01 10 1 10 110");
  DwgBitReader r(b.data(), b.size(), "test");
  EXPECT_EQ(r.BS(), 0);
  EXPECT_EQ(r.BS(), 256);
  EXPECT_EQ(r.BS(), 15);
  EXPECT_EQ(r.BS(), 0x1234);
  EXPECT_EQ(r.BL(), 255u);
  EXPECT_EQ(r.BD(), 1.0);
  EXPECT_EQ(r.BD(), 0.0);
  EXPECT_TRUE(r.B());
  EXPECT_EQ(r.BB(), 2u);
  EXPECT_EQ(r.threeB(), 6u);
  EXPECT_TRUE(r.ok());
}

TEST(DwgBitReader, ModularNumbersHandlesAndDefaults)
{
  // MC: 0x82 0x01 -> 2 + (1 << 7) = 130; signed 0x41 -> -1 (0x40 is the sign).
  // MS: 0x0001 0x8000 pair ends at the first word without its top bit.
  std::vector<std::uint8_t> b = {0x82, 0x01, 0x41, 0x01, 0x00,
                                 // H: code 5, two bytes 0x01 0x2C -> 300.
                                 0x52, 0x01, 0x2C};
  DwgBitReader r(b.data(), b.size(), "test");
  EXPECT_EQ(r.MC(false), 130);
  EXPECT_EQ(r.MC(true), -1);
  EXPECT_EQ(r.MS(), 1u);
  const DwgHandleRef h = r.H();
  EXPECT_EQ(h.code, 5u);
  EXPECT_EQ(h.value, 300u);
  EXPECT_TRUE(r.ok());
  // Relative references: 6 is the next handle, 8 the one before, A/C add/subtract.
  EXPECT_EQ((DwgHandleRef{0x6, 0}.absolute(0x40)), 0x41u);
  EXPECT_EQ((DwgHandleRef{0x8, 0}.absolute(0x40)), 0x3Fu);
  EXPECT_EQ((DwgHandleRef{0xA, 5}.absolute(0x40)), 0x45u);
  EXPECT_EQ((DwgHandleRef{0xC, 5}.absolute(0x40)), 0x3Bu);
  EXPECT_EQ((DwgHandleRef{0x4, 7}.absolute(0x40)), 7u);

  // DD: 00 keeps the default; 01 replaces its low four bytes.
  std::vector<std::uint8_t> d = bits("00 01 00000000 00000000 00000000 00000000");
  DwgBitReader dd(d.data(), d.size(), "test");
  EXPECT_EQ(dd.DD(2.5), 2.5);
  EXPECT_EQ(dd.DD(1.0), 1.0); // 1.0 has zero low bytes
  EXPECT_TRUE(dd.ok());
}

// The bits of `prefix` followed by `bytes` (each byte's bits from its highest), so that
// the bytes start off their byte boundary.
std::vector<std::uint8_t> bitsThenBytes(const char* prefix, const std::vector<std::uint8_t>& bytes)
{
  std::string text = prefix;
  for (std::uint8_t b : bytes)
    for (int i = 7; i >= 0; --i)
      text += (b >> i & 1) != 0 ? '1' : '0';
  return bits(text.c_str());
}

TEST(DwgBitReader, RawValuesAtAnyBitPosition)
{
  // After three bits: RL 0x12345678 (stored 78 56 34 12), RD 1.5 (stored 00 00 00 00 00
  // 00 F8 3F), a handle of code 4 and 8 bytes 01 ... 08, then RS 0xBEEF near the end.
  std::vector<std::uint8_t> b =
      bitsThenBytes("101", {0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,
                            0x48, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xEF, 0xBE});
  DwgBitReader r(b.data(), b.size(), "test");
  EXPECT_TRUE(r.B());
  EXPECT_FALSE(r.B());
  EXPECT_TRUE(r.B());
  EXPECT_EQ(r.RL(), 0x12345678u);
  EXPECT_EQ(r.RD(), 1.5);
  const DwgHandleRef h = r.H();
  EXPECT_EQ(h.code, 4u);
  EXPECT_EQ(h.value, 0x0102030405060708u);
  EXPECT_EQ(r.RS(), 0xBEEF);
  EXPECT_TRUE(r.ok());
  // A raw value the data cuts fails at its first missing byte, after the bytes it had.
  std::vector<std::uint8_t> c = {0x01, 0x02, 0x03};
  DwgBitReader cut(c.data(), c.size(), "AcDb:Handles", 40);
  cut.RL();
  EXPECT_EQ(cut.fault(), "AcDb:Handles: byte 43: the data ends inside a value");
  std::vector<std::uint8_t> d(7, 0);
  DwgBitReader cutDouble(d.data(), d.size(), "x");
  cutDouble.B();
  cutDouble.RD();
  EXPECT_EQ(cutDouble.faultOffset(), 6u);
}

TEST(DwgBitReader, ReadsPastTheEndFailOnceWithTheirPlace)
{
  // A text whose length says 200 bytes in a buffer of 4: the count is refused
  // before anything is allocated, and later reads give zero.
  std::vector<std::uint8_t> b = bits("01 11001000 0000000000000000");
  DwgBitReader r(b.data(), b.size(), "AcDb:Classes", 100);
  EXPECT_EQ(r.text8(), "");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.fault(), "AcDb:Classes: byte 101: a count of 200 is more than the data holds");
  EXPECT_EQ(r.RL(), 0u);
  EXPECT_EQ(r.faultOffset(), 101u);

  std::vector<std::uint8_t> c = {0xFF};
  DwgBitReader s(c.data(), c.size(), "AcDb:Header");
  s.RS();
  EXPECT_EQ(s.fault(), "AcDb:Header: byte 1: the data ends inside a value");
  // An MC that never ends is refused, as is a handle longer than 8 bytes.
  std::vector<std::uint8_t> m(20, 0x80);
  DwgBitReader t(m.data(), m.size(), "x");
  t.MC(false);
  EXPECT_FALSE(t.ok());
  std::vector<std::uint8_t> h = {0x0F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  DwgBitReader u(h.data(), h.size(), "x");
  u.H();
  EXPECT_EQ(u.faultWhat(), "a handle longer than 8 bytes");
}

TEST(DwgBitReader, CrcIsTheSixteenBitArcCrc)
{
  // The check value of CRC-16/ARC over "123456789" is 0xBB3D.
  const char* text = "123456789";
  EXPECT_EQ(dwgCrc16(0, reinterpret_cast<const std::uint8_t*>(text), 9), 0xBB3D);
}
} // namespace

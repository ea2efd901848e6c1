// The LZ77 variant of DWG 2004 pages, on small streams whose output is worked out by
// hand from the opcode layout, and on hostile streams that must stop cleanly.
#include "arx/dwg/DwgInflate2004.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Inflated {
  DwgInflateResult result;
  std::string text;
};

Inflated inflate(const std::vector<std::uint8_t>& stream, std::size_t capacity = 64)
{
  std::vector<std::uint8_t> out(capacity);
  Inflated r;
  r.result = dwgInflate2004(stream.data(), stream.size(), out.data(), out.size());
  r.text.assign(out.begin(), out.begin() + r.result.written);
  return r;
}

} // namespace

TEST(Inflate2004, literals_and_each_copy_opcode)
{
  // 0x01: four literals; 0x11 ends.
  Inflated r = inflate({0x01, 'a', 'b', 'c', 'd', 0x11});
  EXPECT_TRUE(r.result.ok) << r.result.what;
  EXPECT_EQ("abcd", r.text);

  // 0x5C: copy (5-1)=4 bytes from 3+1 back; no literals follow.
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x5c, 0x00, 0x11});
  EXPECT_TRUE(r.result.ok) << r.result.what;
  EXPECT_EQ("abcdabcd", r.text);

  // 0x70: copy 6 bytes from 1 back, overlapping what it writes (a repeat).
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x70, 0x00, 0x11});
  EXPECT_EQ("abcddddddd", r.text);

  // 0x22: copy 4 bytes; first offset byte 0x0E = offset 3, then 2 literals.
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x22, 0x0e, 0x00, 'x', 'y', 0x11});
  EXPECT_EQ("abcdabcdxy", r.text);

  // 0x20 with a long count of 1: copy 0x21+1 = 34 bytes of the 4-byte pattern.
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x20, 0x01, 0x0c, 0x00, 0x11});
  EXPECT_TRUE(r.result.ok) << r.result.what;
  std::string pattern;
  for (int i = 0; i < 38; ++i)
    pattern += static_cast<char>('a' + i % 4);
  EXPECT_EQ(pattern, r.text);

  // A copy whose literal count is zero, followed by a literal-length byte 0x02 (5 literals).
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x5c, 0x00, 0x02, 'v', 'w', 'x', 'y', 'z', 0x11});
  EXPECT_EQ("abcdabcdvwxyz", r.text);
}

TEST(Inflate2004, long_literal_run_and_far_copy)
{
  // 0x00, 64 zeros, 0x2E: 0x0F + 64*0xFF + 0x2E + 3 = 16384 literals; then 0x12 copies
  // (2&7)+2 = 4 bytes from 0x3FFF+0+1 = 16384 back, i.e. from the start.
  std::vector<std::uint8_t> stream(66, 0);
  stream[65] = 0x2e;
  std::string expected;
  for (int i = 0; i < 16384; ++i) {
    stream.push_back(static_cast<std::uint8_t>(i * 7 + 1));
    expected += static_cast<char>(i * 7 + 1);
  }
  expected += expected.substr(0, 4);
  for (std::uint8_t b : {0x12, 0x00, 0x00, 0x11})
    stream.push_back(b);
  Inflated r = inflate(stream, 20000);
  EXPECT_TRUE(r.result.ok) << r.result.what;
  EXPECT_EQ(expected, r.text);
}

TEST(Inflate2004, hostile_streams_stop_with_a_fault)
{
  // Output beyond the declared size: six literals into room for five.
  Inflated r = inflate({0x03, 'a', 'b', 'c', 'd', 'e', 'f', 0x11}, 5);
  EXPECT_FALSE(r.result.ok);
  EXPECT_EQ("output exceeds its declared size", r.result.what);
  EXPECT_LE(r.result.written, 5u);

  // A long count of many zeros claims far more than the room: refused, not written.
  std::vector<std::uint8_t> greedy = {0x01, 'a', 'b', 'c', 'd', 0x20};
  greedy.insert(greedy.end(), 4000, 0x00);
  for (std::uint8_t b : {0x01, 0x00, 0x00, 0x11})
    greedy.push_back(b);
  r = inflate(greedy, 1000);
  EXPECT_FALSE(r.result.ok);
  EXPECT_EQ("output exceeds its declared size", r.result.what);

  // A copy from 5 back after 4 bytes.
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x50, 0x01, 0x11});
  EXPECT_FALSE(r.result.ok);
  EXPECT_EQ("back-reference reaches before the start of the output", r.result.what);
  EXPECT_EQ(7u, r.result.srcOffset);

  // No end mark; literals past the stream's end; an opcode below 0x10 after a copy.
  r = inflate({0x01, 'a', 'b', 'c', 'd'});
  EXPECT_EQ("stream ends without its end mark", r.result.what);
  r = inflate({0x0f, 'a', 'b', 'c'});
  EXPECT_EQ("literal run goes past the end of the stream", r.result.what);
  // 0x5D: a copy and one literal ('x'); then 0x05 where an opcode must be.
  r = inflate({0x01, 'a', 'b', 'c', 'd', 0x5d, 0x00, 'x', 0x05, 0x11});
  EXPECT_EQ("opcode is not valid here", r.result.what);
  EXPECT_EQ("abcdabcdx", r.text);
  EXPECT_FALSE(inflate({}).result.ok);
}

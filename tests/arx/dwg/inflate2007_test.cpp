// The LZ77 variant of DWG 2007, on small streams whose output is worked out by hand from
// the opcode layout and the stored order of literal runs, and on hostile streams.
#include "arx/dwg/DwgInflate2007.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Inflated {
  DwgInflateResult result;
  std::string text;
};

Inflated inflate(const std::string& stream, std::size_t capacity = 128)
{
  std::vector<std::uint8_t> out(capacity);
  Inflated r;
  r.result = dwgInflate2007(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size(),
                            out.data(), out.size());
  r.text.assign(out.begin(), out.begin() + r.result.written);
  return r;
}

} // namespace

TEST(Inflate2007, literal_runs_come_out_in_their_stored_group_order)
{
  // 0x00: 8 literals, one group of 8, as stored.
  Inflated r = inflate(std::string("\x00", 1) + "abcdefgh");
  EXPECT_TRUE(r.result.ok) << r.result.what;
  EXPECT_EQ("abcdefgh", r.text);
  // 0x01: 9 literals, a group of 8 then one byte: the single byte comes first.
  EXPECT_EQ("iabcdefgh", inflate("\x01"
                                 "abcdefghi")
                             .text);
  // 0x02: 10 literals split 1, 8, 1: reversed to 1, 8, 1.
  EXPECT_EQ("jbcdefghia", inflate("\x02"
                                  "abcdefghij")
                              .text);
  // 0x20 opening: two skipped bytes, then 3 literals (low bits of the next byte), reversed.
  EXPECT_EQ("cba", inflate("\x20xx\x03"
                           "abc")
                       .text);
  // 0x0F with a byte of 9: 23 + 9 = 32 literals: four groups of 8 in reverse order.
  std::string stored = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  EXPECT_EQ("YZ012345QRSTUVWXIJKLMNOPABCDEFGH", inflate("\x0f\x09" + stored).text);
}

TEST(Inflate2007, copies_of_each_instruction_kind)
{
  const std::string eight = std::string("\x00", 1) + "abcdefgh";
  // 0x43: copy 4 from ((0x00 & 0xF8) << 1) + 3 + 1 = 4 back; no literals follow.
  Inflated r = inflate(eight + std::string("\x43\x00", 2));
  EXPECT_TRUE(r.result.ok) << r.result.what;
  EXPECT_EQ("abcdefghefgh", r.text);
  // 0x12: copy 2+3 = 5 from ((0x01 & 0xF8) << 5) + 1 + 7 = 8 back; then 1 literal (0x01 & 7).
  EXPECT_EQ("abcdefghabcdez", inflate(eight + "\x12\x07\x01z").text);
  // 0x20-0x27 inside the stream: a 16-bit distance (2), count 1 + (0x08 & 0xF8) = 9,
  // which overlaps what it writes; then no literals and the stream ends.
  EXPECT_EQ("abcdefghghghghghg", inflate(eight + std::string("\x21\x02\x00\x08", 4)).text);
  // 0x05: copy 5 + 0x13 = 24 from 8 back (the distance's high bits from 0x00), then 2
  // literals stored reversed.
  r = inflate(eight + std::string("\x05\x07\x02", 3) + "yx");
  EXPECT_EQ("abcdefghabcdefghabcdefghabcdefghxy", r.text);
}

TEST(Inflate2007, hostile_streams_stop_with_a_fault)
{
  const std::string eight = std::string("\x00", 1) + "abcdefgh";
  EXPECT_EQ("back-reference reaches before the start of the output",
            inflate(eight + std::string("\x43\x08", 2)).result.what); // 20 back after 8
  EXPECT_EQ("back-reference reaches before the start of the output",
            inflate(eight + std::string("\x21\x00\x00\x08", 4)).result.what); // distance 0
  EXPECT_EQ("output exceeds its declared size", inflate(eight, 7).result.what);
  // A long count of 0x100 + (0xFF << 3) + (0xF8 << 8) bytes into 128.
  EXPECT_EQ("output exceeds its declared size",
            inflate(eight + std::string("\x29\x01\x00\xff\xf8", 5)).result.what);
  EXPECT_EQ("literal run goes past the end of the stream", inflate("\x01"
                                                                   "abc")
                                                               .result.what);
  EXPECT_EQ("stream ends inside an instruction", inflate(eight + "\x12").result.what);
  EXPECT_EQ("stream does not open with literals", inflate("\x43\x00").result.what);
  EXPECT_FALSE(inflate("").result.ok);
}

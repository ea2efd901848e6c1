// Checks of a container's sections that follow the documented layout of each section,
// independent of the section readers: the sentinels that open and close the header and
// classes, the CRC-16 that ends them, and an object map whose every entry lands on an
// object whose size and CRC-16 check.
#pragma once

#include "arx/dwg/DwgSections.h"

#include <gtest/gtest.h>

#include <cstring>

namespace dwgcheck {

inline const std::uint8_t kHeaderStart[16] = {0xcf, 0x7b, 0x1f, 0x23, 0xfd, 0xde, 0x38, 0xa9,
                                              0x5f, 0x7c, 0x68, 0xb8, 0x4e, 0x6d, 0x33, 0x5f};
inline const std::uint8_t kHeaderEnd[16] = {0x30, 0x84, 0xe0, 0xdc, 0x02, 0x21, 0xc7, 0x56,
                                            0xa0, 0x83, 0x97, 0x47, 0xb1, 0x92, 0xcc, 0xa0};
inline const std::uint8_t kClassesStart[16] = {0x8d, 0xa1, 0xc4, 0xb8, 0xc4, 0xa9, 0xf8, 0xc5,
                                               0xc0, 0xdc, 0xf4, 0x5f, 0xe7, 0xcf, 0xb6, 0x8a};
inline const std::uint8_t kClassesEnd[16] = {0x72, 0x5e, 0x3b, 0x47, 0x3b, 0x56, 0x07, 0x3a,
                                             0x3f, 0x23, 0x0b, 0xa0, 0x18, 0x30, 0x49, 0x75};

inline bool bytesAt(const std::vector<std::uint8_t>& v, std::size_t at, const std::uint8_t* want)
{
  return at + 16 <= v.size() && std::memcmp(v.data() + at, want, 16) == 0;
}

inline std::uint32_t rl(const std::vector<std::uint8_t>& v, std::size_t at)
{
  return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<std::uint32_t>(v[at + 3]) << 24;
}

// CRC-16 with the polynomial 0xA001 (reflected 0x8005), from the seed DWG uses, 0xC0C1.
inline std::uint16_t crc16(const std::uint8_t* p, std::size_t n)
{
  std::uint16_t c = 0xc0c1;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int b = 0; b < 8; ++b)
      c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xa001)
                  : static_cast<std::uint16_t>(c >> 1);
  }
  return c;
}

// A section framed as the header and classes are: start sentinel, size (and a high size
// word when `extra` is 4), data, CRC-16 of size and data, end sentinel, then zeros.
inline void checkFramedSection(const std::vector<std::uint8_t>& v, const std::uint8_t* start,
                               const std::uint8_t* end, std::size_t extra)
{
  ASSERT_GE(v.size(), 40 + extra);
  EXPECT_TRUE(bytesAt(v, 0, start));
  std::size_t size = rl(v, 16);
  ASSERT_LE(16 + 4 + extra + size + 2 + 16, v.size()) << "size " << size;
  std::size_t crcAt = 20 + extra + size;
  EXPECT_EQ(crc16(v.data() + 16, crcAt - 16), v[crcAt] | v[crcAt + 1] << 8) << "CRC";
  EXPECT_TRUE(bytesAt(v, crcAt + 2, end)) << "end sentinel at " << crcAt + 2;
  for (std::size_t i = crcAt + 18; i < v.size(); ++i)
    EXPECT_EQ(0, v[i]) << "padding byte " << i;
}

// A modular char: 7 bits a byte, low first, the high bit says more follow; the last
// byte's 0x40 is the sign when `isSigned`.
inline bool modularChar(const std::vector<std::uint8_t>& v, std::size_t& at, std::size_t end,
                        bool isSigned, long long& value)
{
  unsigned long long u = 0;
  for (int shift = 0; at < end && shift < 63; shift += 7) {
    std::uint8_t b = v[at++];
    if (b & 0x80) {
      u |= static_cast<unsigned long long>(b & 0x7f) << shift;
      continue;
    }
    if (isSigned && (b & 0x40)) {
      value = -static_cast<long long>(u | static_cast<unsigned long long>(b & 0x3f) << shift);
      return true;
    }
    value = static_cast<long long>(u | static_cast<unsigned long long>(b & 0x7f) << shift);
    return true;
  }
  return false;
}

// Walks the object map: blocks of a big-endian size (counting itself), pairs of handle
// and offset deltas, a big-endian CRC; a block of size 2 ends it. Each offset must land
// on an object whose modular-short size fits in `objects` and whose CRC-16 checks. Returns the
// entries seen.
inline int checkObjectMap(const DwgSections& s)
{
  const std::vector<std::uint8_t>& map = s.handles;
  std::size_t at = 0;
  int entries = 0;
  while (at + 2 <= map.size()) {
    std::size_t blockSize = static_cast<std::size_t>(map[at] << 8 | map[at + 1]);
    if (blockSize == 2)
      return entries;
    EXPECT_LE(at + blockSize + 2, map.size()) << "object map block at " << at;
    if (at + blockSize + 2 > map.size())
      return entries;
    std::size_t end = at + blockSize;
    EXPECT_EQ(crc16(map.data() + at, blockSize), map[end] << 8 | map[end + 1])
        << "CRC of the object map block at " << at;
    at += 2;
    long long handle = 0, offset = 0;
    while (at < end) {
      long long dh, doff;
      if (!modularChar(map, at, end, false, dh) || !modularChar(map, at, end, true, doff)) {
        ADD_FAILURE() << "object map entry cut at " << at;
        return entries;
      }
      handle += dh;
      offset += doff;
      ++entries;
      EXPECT_GE(offset, 4) << "handle " << handle;
      EXPECT_LT(offset + 2, static_cast<long long>(s.objects.size())) << "handle " << handle;
      if (offset < 0 || offset + 4 > static_cast<long long>(s.objects.size()))
        return entries;
      std::size_t o = static_cast<std::size_t>(offset);
      std::size_t size = s.objects[o] | (s.objects[o + 1] & 0x7f) << 8;
      std::size_t sizeBytes = 2;
      if (s.objects[o + 1] & 0x80) {
        size |= static_cast<std::size_t>(s.objects[o + 2] | (s.objects[o + 3] & 0x7f) << 8) << 15;
        sizeBytes = 4;
      }
      EXPECT_GT(size, 0u) << "handle " << handle;
      std::size_t crcAt = o + sizeBytes + size;
      if (s.version >= 1024) {
        // The size of the object's handle stream follows, not counted in its size.
        std::size_t mcAt = o + sizeBytes;
        long long handleBits = 0;
        if (!modularChar(s.objects, mcAt, s.objects.size(), false, handleBits))
          return entries;
        crcAt = mcAt + size;
      }
      EXPECT_LE(crcAt + 2, s.objects.size()) << "handle " << handle;
      if (crcAt + 2 <= s.objects.size()) {
        EXPECT_EQ(crc16(s.objects.data() + o, crcAt - o),
                  s.objects[crcAt] | s.objects[crcAt + 1] << 8)
            << "CRC of handle " << handle;
      }
    }
    at = end + 2; // the block's CRC
  }
  ADD_FAILURE() << "object map has no closing block";
  return entries;
}

} // namespace dwgcheck

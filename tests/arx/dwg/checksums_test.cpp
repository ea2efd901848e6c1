// The checksums of DWG 2004 and later against published check values: the page checksum
// is Adler-32's pair of sums (Adler-32 starts them at 1), the header's CRC is the
// common CRC-32.
#include "arx/dwg/DwgCrc32.h"
#include "arx/dwg/DwgPageChecksum.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(DwgChecksums, page_checksum_is_adler_sums_from_a_seed)
{
  const char* wiki = "Wikipedia";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(wiki);
  EXPECT_EQ(0x11e60398u, dwgPageChecksum(1, bytes, std::strlen(wiki))); // Adler-32 of "Wikipedia"
  // From seed 0, "abc": first = 97+98+99 = 294, second = 97+195+294 = 586.
  EXPECT_EQ((586u << 16) | 294u,
            dwgPageChecksum(0, reinterpret_cast<const std::uint8_t*>("abc"), 3));
  // Continuing from a checksum equals one checksum over both parts.
  std::vector<std::uint8_t> big(100000);
  for (std::size_t i = 0; i < big.size(); ++i)
    big[i] = static_cast<std::uint8_t>(255 - i % 7);
  std::uint32_t whole = dwgPageChecksum(1, big.data(), big.size());
  EXPECT_EQ(whole, dwgPageChecksum(dwgPageChecksum(1, big.data(), 12345), big.data() + 12345,
                                   big.size() - 12345));
  // 100,000 bytes of 255 - i%7 (sums reduced along the way): zlib's adler32 gives 0xa9429c06.
  EXPECT_EQ(0xa9429c06u, whole);
}

TEST(DwgChecksums, crc32_check_value)
{
  EXPECT_EQ(0xcbf43926u, dwgCrc32(reinterpret_cast<const std::uint8_t*>("123456789"), 9));
  EXPECT_EQ(0u, dwgCrc32(nullptr, 0));
}

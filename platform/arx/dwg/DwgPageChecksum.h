// DwgPageChecksum: the checksum of the pages of DWG 2004 and later, two 16-bit sums
// modulo 65521 (as Adler-32 keeps them) that start from `seed` (low half the first sum,
// high half the second) and run over `size` bytes; the result holds the second sum in its
// high half. A page header's checksum continues from its data's checksum.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint32_t dwgPageChecksum(std::uint32_t seed, const std::uint8_t* data, std::size_t size);

// DwgCrc32: the CRC-32 of DWG 2004's file header (the common reflected polynomial
// 0xEDB88320, starting from all ones and inverted at the end, as zlib's crc32).
#pragma once

#include <cstddef>
#include <cstdint>

std::uint32_t dwgCrc32(const std::uint8_t* data, std::size_t size);

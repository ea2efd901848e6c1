// DwgLittleEndian: raw little-endian integers at a byte pointer, as the containers of
// DWG files store their fixed-size fields. The caller has checked that the bytes exist.
#pragma once

#include <cstdint>

inline std::uint16_t dwgLe16(const std::uint8_t* p)
{
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t dwgLe32(const std::uint8_t* p)
{
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t dwgLe64(const std::uint8_t* p)
{
  return static_cast<std::uint64_t>(dwgLe32(p)) |
         (static_cast<std::uint64_t>(dwgLe32(p + 4)) << 32);
}

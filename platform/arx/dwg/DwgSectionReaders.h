// The readers of the sections every DWG version shares: the frame of a section
// (sentinels, size, CRC), the classes and the object map.
#pragma once

#include "arx/dwg/DwgObjectReader.h"
#include "arx/dwg/DwgSections.h"

#include <cstdint>
#include <utility>
#include <vector>

// The header and classes sections begin with a 16-byte sentinel and a 32-bit size,
// and end with a CRC of the size and the data, and a sentinel. Checks them; `start`
// and `size` give where the data lies in the buffer.
bool checkDwgSectionFrame(const std::vector<std::uint8_t>& bytes, const std::uint8_t* begin,
                          const std::uint8_t* end, const char* name, int version,
                          std::size_t& start, std::size_t& size, DwgFault& fault);
bool checkDwgHeader(const DwgSections& sections, DwgFault& fault);
bool readDwgClasses(const DwgSections& sections, std::vector<DwgClass>& classes, DwgFault& fault);

// One object: its handle and its offset in the objects section.
struct DwgMapEntry {
  std::uint64_t handle;
  std::size_t offset;
};
// The object map: runs of about 2 KB, each a big-endian size, pairs of
// modular deltas (handle, offset) and a big-endian CRC.
bool readDwgObjectMap(const DwgSections& sections, std::vector<DwgMapEntry>& map, DwgFault& fault);

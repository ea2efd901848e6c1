// The container of R13, R14 and R2000 drawings: a file header whose section
// locators give each section's place in the file, the sections stored as they are.
#include "arx/dwg/DwgSections.h"

#include "arx/dwg/DwgBitReader.h"
#include "arx/dwg/DwgLittleEndian.h"

#include <cstring>

namespace {
const char* const kFileHeader = "file header";
const std::uint8_t kHeaderEnd[16] = {0x95, 0xA0, 0x4E, 0x28, 0x99, 0x82, 0x1A, 0xE5,
                                     0x5E, 0x41, 0xE0, 0x5F, 0x9D, 0x3A, 0x4D, 0x00};

// The bytes [seeker, seeker + size) of the file into `out`.
bool take(const std::uint8_t* data, std::size_t fileSize, std::uint32_t seeker, std::uint32_t size,
          const char* name, std::size_t locator, std::vector<std::uint8_t>& out, DwgFault& fault)
{
  if (seeker > fileSize || size > fileSize - seeker)
    return dwgFault(fault, kFileHeader, locator,
                    std::string("the ") + name + " section lies beyond the end of the file");
  out.assign(data + seeker, data + seeker + size);
  return true;
}
} // namespace

bool readDwgR2000Container(const std::uint8_t* data, std::size_t size, DwgSections& out,
                           DwgFault& fault)
{
  if (size < 0x19 + 2 + 16)
    return dwgFault(fault, kFileHeader, size, "the file is too short for its header");
  out.version =
      (data[2] - '0') * 1000 + (data[3] - '0') * 100 + (data[4] - '0') * 10 + (data[5] - '0');
  out.codePage = data[0x13] | data[0x14] << 8;
  const std::uint32_t records = dwgLe32(data + 0x15);
  if (records < 3 || records > 16 || 0x19 + records * 9 + 2 + 16 > size)
    return dwgFault(fault, kFileHeader, 0x15,
                    "an invalid number of section locators (" + std::to_string(records) + ")");
  const std::size_t end = 0x19 + records * 9;
  // The header's CRC is seeded with 0 and mixed with a value that depends on the
  // number of locators.
  static const std::uint16_t kMix[] = {0, 0, 0, 0xA598, 0x8101, 0x3CC4, 0x8461};
  const std::uint16_t stored = static_cast<std::uint16_t>(data[end] | data[end + 1] << 8);
  const std::uint16_t crc = dwgCrc16(0, data, end);
  if (records < 7 && (crc ^ kMix[records]) != stored)
    return dwgFault(fault, kFileHeader, end, "CRC mismatch of the file header");
  if (std::memcmp(data + end + 2, kHeaderEnd, 16) != 0)
    return dwgFault(fault, kFileHeader, end + 2, "the file header's end sentinel is wrong");
  bool seen[3] = {false, false, false};
  for (std::uint32_t i = 0; i < records; ++i) {
    const std::size_t at = 0x19 + i * 9;
    const unsigned number = data[at];
    const std::uint32_t seeker = dwgLe32(data + at + 1);
    const std::uint32_t length = dwgLe32(data + at + 5);
    bool ok = true;
    if (number == 0)
      ok = take(data, size, seeker, length, "header", at, out.header, fault);
    else if (number == 1)
      ok = take(data, size, seeker, length, "classes", at, out.classes, fault);
    else if (number == 2)
      ok = take(data, size, seeker, length, "object map", at, out.handles, fault);
    if (!ok)
      return false;
    if (number < 3)
      seen[number] = true;
  }
  if (!seen[0] || !seen[1] || !seen[2])
    return dwgFault(fault, kFileHeader, 0x15, "a section locator is missing");
  out.file = data;
  out.fileSize = size;
  return true;
}

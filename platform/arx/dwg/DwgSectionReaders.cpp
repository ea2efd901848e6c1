#include "arx/dwg/DwgSectionReaders.h"

#include <cstring>

namespace {
const std::size_t kClassStringBase = 0;
const std::uint8_t kHeaderStart[16] = {0xCF, 0x7B, 0x1F, 0x23, 0xFD, 0xDE, 0x38, 0xA9,
                                       0x5F, 0x7C, 0x68, 0xB8, 0x4E, 0x6D, 0x33, 0x5F};
const std::uint8_t kHeaderEnd[16] = {0x30, 0x84, 0xE0, 0xDC, 0x02, 0x21, 0xC7, 0x56,
                                     0xA0, 0x83, 0x97, 0x47, 0xB1, 0x92, 0xCC, 0xA0};
const std::uint8_t kClassesStart[16] = {0x8D, 0xA1, 0xC4, 0xB8, 0xC4, 0xA9, 0xF8, 0xC5,
                                        0xC0, 0xDC, 0xF4, 0x5F, 0xE7, 0xCF, 0xB6, 0x8A};
const std::uint8_t kClassesEnd[16] = {0x72, 0x5E, 0x3B, 0x47, 0x3B, 0x56, 0x07, 0x3A,
                                      0x3F, 0x23, 0x0B, 0xA0, 0x18, 0x30, 0x49, 0x75};

} // namespace

bool checkDwgSectionFrame(const std::vector<std::uint8_t>& bytes, const std::uint8_t* begin,
                          const std::uint8_t* end, const char* name, int version,
                          std::size_t& start, std::size_t& size, DwgFault& fault)
{
  if (bytes.size() < 16 + 4 + 2)
    return dwgFault(fault, name, 0, "the section is too short");
  if (std::memcmp(bytes.data(), begin, 16) != 0)
    return dwgFault(fault, name, 0, "the section's start sentinel is wrong");
  const std::uint8_t* p = bytes.data() + 16;
  const std::uint32_t length = static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 |
                               static_cast<std::uint32_t>(p[3]) << 24;
  if (length > bytes.size() - 22)
    return dwgFault(fault, name, 16, "the section's size runs past its end");
  start = 20;
  size = length;
  std::size_t crcAt = start + size;
  bool checked = false;
  // From R2010 on a second 32-bit word (the size's high half, zero) may follow the size,
  // covered by the CRC.
  if (version >= 1024 && bytes.size() >= 24 + static_cast<std::size_t>(length) + 2 && p[4] == 0 &&
      p[5] == 0 && p[6] == 0 && p[7] == 0) {
    const std::size_t at = 24 + size;
    const std::uint16_t wide = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
    if (dwgCrc16(0xC0C1, bytes.data() + 16, 8 + size) == wide) {
      start = 24;
      crcAt = at;
      checked = true;
    }
  }
  const std::uint16_t stored = static_cast<std::uint16_t>(bytes[crcAt] | bytes[crcAt + 1] << 8);
  if (!checked && dwgCrc16(0xC0C1, bytes.data() + 16, 4 + size) != stored)
    return dwgFault(fault, name, crcAt, "CRC mismatch of the section");
  // The end sentinel follows where the layout keeps one (not every writer of the
  // paged layouts does).
  if (bytes.size() >= crcAt + 2 + 16 && std::memcmp(bytes.data() + crcAt + 2, end, 16) != 0)
    return dwgFault(fault, name, crcAt + 2, "the section's end sentinel is wrong");
  return true;
}

bool checkDwgHeader(const DwgSections& s, DwgFault& fault)
{
  std::size_t start = 0, size = 0;
  return checkDwgSectionFrame(s.header, kHeaderStart, kHeaderEnd, "AcDb:Header", s.version, start,
                              size, fault);
}

bool readDwgClasses(const DwgSections& s, std::vector<DwgClass>& classes, DwgFault& fault)
{
  const char* const name = "AcDb:Classes";
  std::size_t start = 0, size = 0;
  if (!checkDwgSectionFrame(s.classes, kClassesStart, kClassesEnd, name, s.version, start, size,
                            fault))
    return false;
  DwgBitReader r(s.classes.data() + start, size, name, start);
  r.setVersion(s.version);
  // From R2007 on the names are UTF-16, in a string stream at the end of the data.
  DwgBitReader strings = r;
  const bool separate = s.version >= 1021;
  if (separate) {
    const std::size_t bits = r.RL();
    dwgLocateStrings(strings, bits + 32 * kClassStringBase);
    if (!strings.ok())
      return dwgFault(fault, name, strings.faultOffset(), strings.faultWhat());
  }
  auto text = [&]() { return separate ? strings.textUtf16() : r.text8(); };
  if (s.version >= 1018) {
    r.BS(); // the highest class number
    r.RC();
    r.RC();
    r.B();
  }
  // Each class takes at least 2 bits a field; the last bits of the last byte are padding.
  if (separate)
    r.limitBits(strings.bitPosition() > 0 ? strings.bitPosition() : r.bitSize());
  while (r.ok() && r.bitsLeft() >= 16) {
    DwgClass c;
    c.number = r.BS();
    r.BS(); // proxy flags
    text(); // application
    text(); // C++ class
    c.dxfName = text();
    r.B();                        // was a zombie
    c.isEntity = r.BS() == 0x1F2; // item class id: 0x1F2 entity, 0x1F3 object
    if (s.version >= 1018) {
      r.BL(); // instances
      r.BL(); // version
      r.BL(); // maintenance version
      r.BL();
      r.BL();
    }
    if (!r.ok())
      break;
    if (c.number < 500 || c.number > 0x7FFF)
      return dwgFault(fault, name, start + r.bitPosition() / 8,
                      "an invalid class number " + std::to_string(c.number));
    classes.push_back(std::move(c));
  }
  if (!r.ok())
    return dwgFault(fault, name, r.faultOffset(), r.faultWhat());
  return true;
}

bool readDwgObjectMap(const DwgSections& s, std::vector<DwgMapEntry>& map, DwgFault& fault)
{
  const char* const name = "AcDb:Handles";
  const std::vector<std::uint8_t>& b = s.handles;
  std::size_t at = 0;
  for (;;) {
    if (b.size() - at < 2)
      return dwgFault(fault, name, at, "the object map ends without its last, empty run");
    const std::size_t runSize = static_cast<std::size_t>(b[at] << 8 | b[at + 1]);
    if (runSize < 2 || runSize > 2040)
      return dwgFault(fault, name, at, "a run of the object map has an invalid size");
    if (runSize > b.size() - at - 2)
      return dwgFault(fault, name, at, "a run of the object map runs past the end of the section");
    const std::uint16_t stored =
        static_cast<std::uint16_t>(b[at + runSize] << 8 | b[at + runSize + 1]);
    if (dwgCrc16(0xC0C1, b.data() + at, runSize) != stored)
      return dwgFault(fault, name, at, "CRC mismatch of a run of the object map");
    if (runSize == 2)
      return true;
    DwgBitReader r(b.data() + at + 2, runSize - 2, name, at + 2);
    std::uint64_t handle = 0;
    std::int64_t offset = 0;
    while (r.ok() && r.bitsLeft() > 0) {
      handle += static_cast<std::uint64_t>(r.MC(false));
      offset += r.MC(true);
      if (!r.ok())
        break;
      if (offset < 0 || static_cast<std::uint64_t>(offset) >= s.objectSize())
        return dwgFault(fault, name, at + 2 + r.bitPosition() / 8,
                        "an object's offset lies outside the objects section");
      map.push_back({handle, static_cast<std::size_t>(offset)});
    }
    if (!r.ok())
      return dwgFault(fault, name, r.faultOffset(), r.faultWhat());
    at += runSize + 2;
  }
}

#include "arx/dwg/DwgBitReader.h"

#include "arx/ge/AcGePoint3d.h"
#include "arx/ge/AcGeVector3d.h"

#include <cstring>

DwgBitReader::DwgBitReader(const std::uint8_t* data, std::size_t size, const char* section,
                           std::size_t baseOffset)
    : m_data(data), m_end(size * 8), m_size(size), m_section(section), m_baseOffset(baseOffset)
{
}

const std::string& DwgBitReader::noFault()
{
  static const std::string none;
  return none;
}

void DwgBitReader::fail(const char* what)
{
  if (m_failed)
    return;
  m_failed = true;
  m_faultOffset = m_baseOffset + m_bit / 8;
  m_faultText = std::make_shared<const FaultText>(FaultText{
      std::string(m_section) + ": byte " + std::to_string(m_faultOffset) + ": " + what, what});
  m_bit = m_end;
}

void DwgBitReader::overrun(const char* what)
{
  fail(what);
}

void DwgBitReader::seekBit(std::size_t bit)
{
  if (m_failed)
    return;
  if (bit > m_end) {
    overrun("a position beyond the end of the data");
    return;
  }
  m_bit = bit;
}

void DwgBitReader::limitBits(std::size_t bit)
{
  if (bit < m_size * 8)
    m_end = bit;
  if (m_bit > m_end)
    m_bit = m_end;
}

bool DwgBitReader::fits(std::uint64_t count, unsigned bitsEach)
{
  if (m_failed)
    return false;
  const std::uint64_t left = bitsLeft();
  if (bitsEach == 0 ? count > left + 1 : count > left / bitsEach) {
    const std::string what = "a count of " + std::to_string(count) + " is more than the data holds";
    fail(what.c_str());
    return false;
  }
  return true;
}

std::uint64_t DwgBitReader::loadTail(std::size_t byte) const
{
  std::uint64_t v = 0;
  const std::size_t have = m_size - byte;
  for (std::size_t i = 0; i < have; ++i)
    v = (v << 8) | m_data[byte + i];
  return v << 8 * (8 - have);
}

std::uint64_t DwgBitReader::splitRaw(unsigned bytes)
{
  std::uint64_t v = 0;
  for (unsigned i = 0; i < bytes; ++i)
    v |= bits(8) << 8 * i;
  return v;
}

unsigned DwgBitReader::threeB()
{
  unsigned v = 0;
  for (int i = 0; i < 3; ++i) {
    v = (v << 1) | static_cast<unsigned>(bits(1));
    if ((v & 1) == 0)
      break;
  }
  return v;
}

std::uint32_t DwgBitReader::BL()
{
  switch (BB()) {
  case 0:
    return RL();
  case 1:
    return RC();
  case 2:
    return 0;
  default:
    fail("an invalid bit-coded long");
    return 0;
  }
}

std::uint64_t DwgBitReader::BLL()
{
  const unsigned count = static_cast<unsigned>(bits(3));
  std::uint64_t v = 0;
  for (unsigned i = 0; i < count; ++i)
    v |= static_cast<std::uint64_t>(RC()) << (8 * i);
  return v;
}

double DwgBitReader::DD(double fallback)
{
  const unsigned code = BB();
  if (code == 0)
    return fallback;
  if (code == 3)
    return RD();
  std::uint64_t u;
  std::memcpy(&u, &fallback, sizeof u);
  if (code == 1) {
    u = (u & 0xFFFFFFFF00000000ull) | RL();
  } else {
    const std::uint64_t b45 = RS();
    const std::uint64_t b03 = RL();
    u = (u & 0xFFFF000000000000ull) | (b45 << 32) | b03;
  }
  double d;
  std::memcpy(&d, &u, sizeof d);
  return d;
}

std::int64_t DwgBitReader::MC(bool isSigned)
{
  std::uint64_t v = 0;
  for (unsigned shift = 0; shift < 64; shift += 7) {
    const std::uint8_t b = RC();
    if (!ok())
      return 0;
    if ((b & 0x80) == 0) {
      if (isSigned && (b & 0x40) != 0)
        return -static_cast<std::int64_t>(v | (static_cast<std::uint64_t>(b & 0x3F) << shift));
      return static_cast<std::int64_t>(v | (static_cast<std::uint64_t>(b) << shift));
    }
    v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
  }
  fail("a modular number too long");
  return 0;
}

std::uint32_t DwgBitReader::MS()
{
  std::uint32_t v = 0;
  for (unsigned shift = 0; shift < 32; shift += 15) {
    const std::uint16_t w = RS();
    if (!ok())
      return 0;
    if ((w & 0x8000) == 0)
      return v | (static_cast<std::uint32_t>(w) << shift);
    v |= static_cast<std::uint32_t>(w & 0x7FFF) << shift;
  }
  fail("a modular size too long");
  return 0;
}

DwgHandleRef DwgBitReader::H()
{
  DwgHandleRef h;
  unsigned count;
  if (has(8)) { // the code and the count in one read
    const unsigned head = static_cast<unsigned>(bits(8));
    h.code = head >> 4;
    count = head & 0xF;
  } else {
    h.code = static_cast<unsigned>(bits(4));
    count = static_cast<unsigned>(bits(4));
  }
  if (count > 8) {
    fail("a handle longer than 8 bytes");
    return h;
  }
  if (count == 8 && has(64)) {
    h.value = bits(32) << 32;
    h.value |= bits(32);
  } else if (count > 0 && has(8 * count)) {
    h.value = bits(8 * count);
  } else {
    for (unsigned i = 0; i < count; ++i)
      h.value = (h.value << 8) | RC();
  }
  return h;
}

void DwgBitReader::RD2(double& x, double& y)
{
  x = RD();
  y = RD();
}

void DwgBitReader::BD2(double& x, double& y)
{
  x = BD();
  y = BD();
}

void DwgBitReader::BD3(double& x, double& y, double& z)
{
  x = BD();
  y = BD();
  z = BD();
}

AcGePoint3d DwgBitReader::point3()
{
  AcGePoint3d p;
  BD3(p.x, p.y, p.z);
  return p;
}

AcGeVector3d DwgBitReader::vector3()
{
  AcGeVector3d v;
  BD3(v.x, v.y, v.z);
  return v;
}

AcGeVector3d DwgBitReader::extrusion()
{
  if (m_version >= 1015 && B())
    return AcGeVector3d(0.0, 0.0, 1.0);
  return vector3();
}

double DwgBitReader::thickness()
{
  if (m_version >= 1015 && B())
    return 0.0;
  return BD();
}

std::string DwgBitReader::text8()
{
  const std::uint16_t length = BS();
  if (!fits(length, 8))
    return std::string();
  std::string s(length, '\0');
  for (std::uint16_t i = 0; i < length; ++i)
    s[i] = static_cast<char>(RC());
  // A terminating zero is kept by some writers.
  while (!s.empty() && s.back() == '\0')
    s.pop_back();
  return s;
}

std::string DwgBitReader::textUtf16()
{
  const std::uint16_t length = BS();
  if (!fits(length, 16))
    return std::string();
  std::string s;
  s.reserve(length);
  for (std::uint16_t i = 0; i < length; ++i) {
    std::uint32_t c = RS();
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < length) {
      const std::uint32_t low = RS();
      ++i;
      c = low >= 0xDC00 && low < 0xE000 ? 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00) : 0xFFFD;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    if (c == 0)
      break;
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else if (c < 0x800) {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      s += static_cast<char>(0xE0 | (c >> 12));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      s += static_cast<char>(0xF0 | (c >> 18));
      s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return s;
}

void DwgBitReader::skipBytes(std::uint64_t count)
{
  if (!fits(count, 8))
    return;
  m_bit += static_cast<std::size_t>(count) * 8;
}

namespace {
// The CRC's tables for eight bytes at a time: t[0] is the byte-wise table, t[k][b] the CRC
// of byte b followed by k zero bytes.
struct CrcTable {
  std::uint16_t t[8][256];
  CrcTable()
  {
    for (unsigned i = 0; i < 256; ++i) {
      unsigned c = i;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) != 0 ? (c >> 1) ^ 0xA001 : c >> 1;
      t[0][i] = static_cast<std::uint16_t>(c);
    }
    for (int k = 1; k < 8; ++k)
      for (unsigned i = 0; i < 256; ++i)
        t[k][i] = static_cast<std::uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF]);
  }
};
} // namespace

std::uint16_t dwgCrc16(std::uint16_t seed, const std::uint8_t* data, std::size_t size)
{
  static const CrcTable table;
  const auto& t = table.t;
  unsigned crc = seed;
  for (; size >= 8; size -= 8, data += 8)
    crc = t[7][(crc ^ data[0]) & 0xFF] ^ t[6][((crc >> 8) ^ data[1]) & 0xFF] ^ t[5][data[2]] ^
          t[4][data[3]] ^ t[3][data[4]] ^ t[2][data[5]] ^ t[1][data[6]] ^ t[0][data[7]];
  for (std::size_t i = 0; i < size; ++i)
    crc = (crc >> 8) ^ t[0][(crc ^ data[i]) & 0xFF];
  return static_cast<std::uint16_t>(crc);
}
